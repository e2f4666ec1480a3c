// The Component and AudioEffect bases as a plug-in and a host use them.
#include "public.sdk/source/vst/vstaudioeffect.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

class Effect : public AudioEffect
{
public:
    const ProcessSetup& setup() const { return processSetup; }
};

std::u16string nameOf(const BusInfo& info)
{
    return std::u16string(reinterpret_cast<const char16_t*>(info.name));
}

} // namespace

TEST(AudioEffectBase, StartsWithRealtime32BitAt44100AndKeepsRateOnRefusedSampleSize)
{
    IPtr<Effect> effect(new Effect, false);
    EXPECT_EQ(effect->setup().processMode, kRealtime);
    EXPECT_EQ(effect->setup().symbolicSampleSize, kSample32);
    EXPECT_EQ(effect->setup().maxSamplesPerBlock, 1024);
    EXPECT_EQ(effect->setup().sampleRate, 44100.0);

    ProcessSetup wanted{kOffline, kSample64, 256, 48000.0};
    EXPECT_EQ(effect->setupProcessing(wanted), kResultFalse);
    EXPECT_EQ(effect->setup().processMode, kOffline);
    EXPECT_EQ(effect->setup().maxSamplesPerBlock, 256);
    EXPECT_EQ(effect->setup().sampleRate, 48000.0);
    EXPECT_EQ(effect->setup().symbolicSampleSize, kSample32);
}

TEST(AudioEffectBase, AnswersEveryInterfaceOfAnAudioComponent)
{
    IPtr<Effect> effect(new Effect, false);
    const FUID* interfaces[] = {&IAudioProcessor::iid,  &IProcessContextRequirements::iid,
                                &IComponent::iid,       &IPluginBase::iid,
                                &IConnectionPoint::iid, &FUnknown::iid,
                                &IDependent::iid};
    for (const FUID* iid : interfaces)
    {
        void* obj = nullptr;
        ASSERT_EQ(effect->queryInterface(*iid, &obj), kResultOk);
        static_cast<FUnknown*>(obj)->release();
    }
    void* obj = nullptr;
    EXPECT_EQ(effect->queryInterface(IBStream::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
    EXPECT_EQ(effect->addRef(), 2u);
    EXPECT_EQ(effect->release(), 1u);
}

TEST(AudioEffectBase, BusesReportTheirInfoAndCanBeRenamedOrActivated)
{
    IPtr<Effect> effect(new Effect, false);
    effect->addAudioInput(u"Main In", SpeakerArr::k51);
    effect->addEventInput(u"Notes", 4, kAux, 0);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kInput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);
    EXPECT_NE(effect->getAudioInput(0), nullptr);
    EXPECT_EQ(effect->getAudioInput(1), nullptr);
    EXPECT_EQ(effect->getEventOutput(0), nullptr);

    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.channelCount, 6);
    EXPECT_EQ(nameOf(info), u"Main In");
    EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
    ASSERT_EQ(effect->getBusInfo(kEvent, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.mediaType, kEvent);
    EXPECT_EQ(info.channelCount, 4);
    EXPECT_EQ(info.busType, kAux);
    EXPECT_EQ(effect->getBusInfo(kAudio, kInput, -1, info), kInvalidArgument);
    EXPECT_EQ(effect->getBusInfo(7, kInput, 0, info), kInvalidArgument);

    String128 renamed{};
    const std::u16string text = u"Side";
    text.copy(reinterpret_cast<char16_t*>(renamed), text.size());
    EXPECT_EQ(effect->renameBus(kAudio, kInput, 0, renamed), kResultOk);
    EXPECT_EQ(effect->renameBus(kAudio, kInput, 1, renamed), kInvalidArgument);
    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(nameOf(info), u"Side");

    EXPECT_FALSE(effect->getAudioInput(0)->isActive());
    EXPECT_EQ(effect->activateBus(kAudio, kInput, 0, true), kResultOk);
    EXPECT_TRUE(effect->getAudioInput(0)->isActive());
}

TEST(AudioEffectBase, LongBusNamesAreCutAndTerminated)
{
    IPtr<Effect> effect(new Effect, false);
    const std::u16string longName(300, u'x');
    effect->addAudioOutput(longName.c_str(), SpeakerArr::kStereo);
    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kOutput, 0, info), kResultOk);
    EXPECT_EQ(nameOf(info), std::u16string(127, u'x'));
}

TEST(AudioEffectBase, RemovingAndTerminatingEmptyTheBusLists)
{
    IPtr<Effect> effect(new Effect, false);
    ASSERT_EQ(effect->initialize(nullptr), kResultOk);
    effect->addAudioInput(u"In", SpeakerArr::kStereo);
    effect->addEventOutput(u"Out");
    EXPECT_EQ(effect->removeAudioBusses(), kResultOk);
    EXPECT_EQ(effect->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 1);
    EXPECT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);
}

TEST(AudioEffectBase, ControllerClassIsUnsetUntilNamed)
{
    IPtr<Effect> effect(new Effect, false);
    TUID cid{};
    EXPECT_EQ(effect->getControllerClassId(cid), kResultFalse);
    const FUID named(1, 2, 3, 4);
    effect->setControllerClass(named);
    ASSERT_EQ(effect->getControllerClassId(cid), kResultOk);
    EXPECT_EQ(FUID::fromTUID(cid), named);
    EXPECT_EQ(effect->setState(nullptr), kNotImplemented);
    EXPECT_EQ(effect->getState(nullptr), kNotImplemented);
    ProcessData data;
    EXPECT_EQ(effect->process(data), kNotImplemented);
}
