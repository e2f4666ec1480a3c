// The processor as a host meets it: its interfaces, buses, set-up and
// activation.
#include "common/ferrulithcids.h"
#include "processor/ferrulithprocessor.h"
#include "processor_host.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

TEST(ProcessorSetup, EveryInterfaceLeadsToTheSameObjectAndReferencesBalance)
{
    FUnknown* object = quorvelware::FerrulithProcessor::createInstance(nullptr);
    ASSERT_NE(object, nullptr);

    const TUID* interfaces[] = {&FUnknown::iid.toTUID(),
                                &IPluginBase::iid.toTUID(),
                                &IComponent::iid.toTUID(),
                                &IAudioProcessor::iid.toTUID(),
                                &IProcessContextRequirements::iid.toTUID(),
                                &IConnectionPoint::iid.toTUID()};
    FUnknown* identity = nullptr;
    ASSERT_EQ(object->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&identity)),
              kResultOk);
    for (const TUID* iid : interfaces)
    {
        FUnknown* found = nullptr;
        ASSERT_EQ(object->queryInterface(*iid, reinterpret_cast<void**>(&found)), kResultOk);
        FUnknown* again = nullptr;
        ASSERT_EQ(found->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&again)),
                  kResultOk);
        EXPECT_EQ(again, identity);
        again->release();
        found->release();
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->queryInterface(IBStream::iid, &none), kNoInterface);
    EXPECT_EQ(none, nullptr);

    identity->release();
    EXPECT_EQ(object->addRef(), 2u);
    EXPECT_EQ(object->release(), 1u) << "createInstance hands out exactly one reference";
    object->release();
}

TEST(ProcessorSetup, NamesTheControllerClass)
{
    ProcessorHost host;
    TUID cid{};
    ASSERT_EQ(host.component()->getControllerClassId(cid), kResultOk);
    EXPECT_EQ(FUID::fromTUID(cid), quorvelware::kFerrulithControllerUID);
    EXPECT_EQ(host.component()->getControllerClassId(nullptr), kInvalidArgument);
}

TEST(ProcessorSetup, InitializeDeclaresOneStereoBusEachWayAndOnlyOnce)
{
    // Once with a host context, once after a first call without one.
    MemoryStream someContext;
    ProcessorHost withContext;
    ASSERT_EQ(withContext.component()->initialize(&someContext), kResultOk);
    EXPECT_EQ(withContext.component()->initialize(&someContext), kResultFalse);
    EXPECT_EQ(withContext.component()->getBusCount(kAudio, kOutput), 1);
    ASSERT_EQ(withContext.component()->terminate(), kResultOk);
    EXPECT_EQ(someContext.refCount(), 1u) << "terminate releases the context";

    ProcessorHost host;
    EXPECT_EQ(host.component()->getBusCount(kAudio, kOutput), 0);
    ASSERT_EQ(host.initialize(), kResultOk);
    EXPECT_EQ(host.initialize(), kResultFalse);
    EXPECT_EQ(host.component()->initialize(&someContext), kResultFalse);

    const char16_t* names[2] = {u"Stereo In", u"Stereo Out"};
    for (BusDirection dir : {kInput, kOutput})
    {
        EXPECT_EQ(host.component()->getBusCount(kAudio, dir), 1);
        EXPECT_EQ(host.component()->getBusCount(kEvent, dir), 0);
        BusInfo info{};
        ASSERT_EQ(host.component()->getBusInfo(kAudio, dir, 0, info), kResultOk);
        EXPECT_EQ(info.mediaType, kAudio);
        EXPECT_EQ(info.direction, dir);
        EXPECT_EQ(info.channelCount, 2);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.name)), names[dir]);
        EXPECT_EQ(info.busType, kMain);
        EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
        SpeakerArrangement arrangement = 0;
        ASSERT_EQ(host.processor()->getBusArrangement(dir, 0, arrangement), kResultOk);
        EXPECT_EQ(arrangement, SpeakerArr::kStereo);
        EXPECT_EQ(host.component()->getBusInfo(kAudio, dir, 1, info), kInvalidArgument);
    }
}

TEST(ProcessorSetup, ActivationNeedsAnOutputBusWithSpeakers)
{
    ProcessorHost host;
    EXPECT_EQ(host.activate(), kResultFalse) << "before initialize";
    ASSERT_EQ(host.initialize(), kResultOk);

    ASSERT_EQ(host.setOutputArrangement(SpeakerArr::kEmpty), kResultOk);
    EXPECT_EQ(host.activate(), kResultFalse);
    EXPECT_EQ(host.deactivate(), kResultFalse);

    ASSERT_EQ(host.setOutputArrangement(SpeakerArr::kMono), kResultOk);
    EXPECT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.deactivate(), kResultOk);
    EXPECT_EQ(host.deactivate(), kResultOk) << "deactivating twice is harmless";
}

TEST(ProcessorSetup, TerminateRemovesTheBusesAndRefusesLaterActivation)
{
    ProcessorHost host;
    host.start();
    EXPECT_EQ(host.component()->terminate(), kResultOk);
    EXPECT_EQ(host.component()->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(host.component()->getBusCount(kAudio, kOutput), 0);
    EXPECT_EQ(host.activate(), kResultFalse);
    // A block after that still runs without buses to read from.
    AudioBlock block(16, 2, 2);
    EXPECT_EQ(host.process(block), kResultOk);
}

TEST(ProcessorSetup, OnlyThirtyTwoBitSamplesAreAccepted)
{
    ProcessorHost host;
    EXPECT_EQ(host.processor()->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(host.processor()->canProcessSampleSize(kSample64), kResultFalse);
    ASSERT_EQ(host.initialize(), kResultOk);
    ASSERT_EQ(host.setup(44100.0), kResultOk);
    EXPECT_EQ(host.setup(48000.0, kSample64), kResultFalse);
}

TEST(ProcessorSetup, FixedAnswersOfTheAudioProcessor)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    EXPECT_EQ(host.processor()->getLatencySamples(), 0u);
    EXPECT_EQ(host.processor()->getTailSamples(), 0u);
    EXPECT_EQ(host.processor()->setProcessing(true), kNotImplemented);
    EXPECT_EQ(host.component()->setIoMode(0), kNotImplemented);
    RoutingInfo in{}, out{};
    EXPECT_EQ(host.component()->getRoutingInfo(in, out), kNotImplemented);

    FUnknownPtr<IProcessContextRequirements> requirements(host.component());
    ASSERT_TRUE(requirements);
    EXPECT_EQ(requirements->getProcessContextRequirements(), 0u);
}

TEST(ProcessorSetup, BusArrangementsAreStoredAsGivenWithinTheBusCount)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    SpeakerArrangement in[2] = {SpeakerArr::k51, SpeakerArr::kStereo};
    SpeakerArrangement out[2] = {SpeakerArr::kMono, SpeakerArr::kStereo};
    EXPECT_EQ(host.processor()->setBusArrangements(in, -1, out, 1), kInvalidArgument);
    EXPECT_EQ(host.processor()->setBusArrangements(in, 2, out, 1), kResultFalse);
    EXPECT_EQ(host.processor()->setBusArrangements(nullptr, 1, out, 1), kInvalidArgument);
    ASSERT_EQ(host.processor()->setBusArrangements(in, 1, out, 1), kResultOk);

    SpeakerArrangement stored = 0;
    ASSERT_EQ(host.processor()->getBusArrangement(kInput, 0, stored), kResultOk);
    EXPECT_EQ(stored, SpeakerArr::k51);
    ASSERT_EQ(host.processor()->getBusArrangement(kOutput, 0, stored), kResultOk);
    EXPECT_EQ(stored, SpeakerArr::kMono);
    EXPECT_EQ(host.processor()->getBusArrangement(kOutput, 1, stored), kInvalidArgument);
    EXPECT_EQ(host.processor()->getBusArrangement(kOutput, -1, stored), kInvalidArgument);
}

TEST(ProcessorSetup, DeactivatedBusStillReportsItsInfo)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    EXPECT_EQ(host.component()->activateBus(kAudio, kInput, 0, false), kResultOk);
    EXPECT_EQ(host.component()->activateBus(kAudio, kInput, 3, true), kInvalidArgument);
    EXPECT_EQ(host.component()->activateBus(kEvent, kInput, 0, true), kInvalidArgument);
    BusInfo info{};
    EXPECT_EQ(host.component()->getBusInfo(kAudio, kInput, 0, info), kResultOk);
}
