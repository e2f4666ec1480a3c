#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg
{
namespace Vst
{

namespace
{

template <typename BusType> BusType* busAt(BusList& list, int32 index)
{
    if (index < 0 || index >= static_cast<int32>(list.size()))
        return nullptr;
    return FCast<BusType>(list.at(static_cast<size_t>(index)).get());
}

template <typename BusType> BusType* append(BusList& list, BusType* bus)
{
    // The list holds the one reference; if the list cannot grow, the bus is
    // released here and the exception goes on to the caller.
    IPtr<Vst::Bus> owner(bus, false);
    list.push_back(owner);
    return bus;
}

} // namespace

AudioEffect::AudioEffect()
{
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

AudioBus* AudioEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType,
                                     int32 flags)
{
    return append(audioInputs, new AudioBus(name, busType, flags, arr));
}

AudioBus* AudioEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType,
                                      int32 flags)
{
    return append(audioOutputs, new AudioBus(name, busType, flags, arr));
}

EventBus* AudioEffect::addEventInput(const TChar* name, int32 channels, BusType busType,
                                     int32 flags)
{
    return append(eventInputs, new EventBus(name, busType, flags, channels));
}

EventBus* AudioEffect::addEventOutput(const TChar* name, int32 channels, BusType busType,
                                      int32 flags)
{
    return append(eventOutputs, new EventBus(name, busType, flags, channels));
}

AudioBus* AudioEffect::getAudioInput(int32 index)
{
    return busAt<AudioBus>(audioInputs, index);
}

AudioBus* AudioEffect::getAudioOutput(int32 index)
{
    return busAt<AudioBus>(audioOutputs, index);
}

EventBus* AudioEffect::getEventInput(int32 index)
{
    return busAt<EventBus>(eventInputs, index);
}

EventBus* AudioEffect::getEventOutput(int32 index)
{
    return busAt<EventBus>(eventOutputs, index);
}

tresult PLUGIN_API AudioEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts)
{
    if (numIns < 0 || numOuts < 0)
        return kInvalidArgument;
    if (numIns > static_cast<int32>(audioInputs.size()) ||
        numOuts > static_cast<int32>(audioOutputs.size()))
        return kResultFalse;
    // Counts above zero with a null array would have nothing to read.
    if ((numIns > 0 && inputs == nullptr) || (numOuts > 0 && outputs == nullptr))
        return kInvalidArgument;
    for (int32 i = 0; i < numIns; ++i)
        if (AudioBus* bus = getAudioInput(i))
            bus->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        if (AudioBus* bus = getAudioOutput(i))
            bus->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement(BusDirection dir, int32 index,
                                                  SpeakerArrangement& arr)
{
    BusList* list = getBusList(kAudio, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    AudioBus* bus = FCast<AudioBus>(list->at(static_cast<size_t>(index)).get());
    if (bus == nullptr)
        return kResultFalse;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API AudioEffect::setupProcessing(ProcessSetup& setup)
{
    // Mode, block size and rate are taken even when the sample size is not.
    processSetup.processMode = setup.processMode;
    processSetup.maxSamplesPerBlock = setup.maxSamplesPerBlock;
    processSetup.sampleRate = setup.sampleRate;
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup.symbolicSampleSize = setup.symbolicSampleSize;
    return kResultOk;
}

tresult PLUGIN_API AudioEffect::setProcessing(TBool /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API AudioEffect::process(ProcessData& /*data*/)
{
    return kNotImplemented;
}

} // namespace Vst
} // namespace Steinberg
