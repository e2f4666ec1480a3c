#include "ferrulithprocessor.h"

#include <bitset>
#include <cmath>
#include <new>

#include "common/ferrulithcids.h"
#include "common/ferrulithparamids.h"
#include "common/ferrulithpresets.h"
#include "common/processorstate.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

namespace quorvelware
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

int32 speakerCount(SpeakerArrangement arrangement)
{
    return static_cast<int32>(std::bitset<64>(arrangement).count());
}

// Channel c of bus 0, or null when the host did not provide it.
Sample32* channelOf(AudioBusBuffers* buses, int32 busCount, int32 c)
{
    if (buses == nullptr || busCount < 1)
        return nullptr;
    const AudioBusBuffers& bus = buses[0];
    if (bus.channelBuffers32 == nullptr || c >= bus.numChannels)
        return nullptr;
    return bus.channelBuffers32[c];
}

// Every channel of every output bus the host gave: an inactive processor
// has no sound to offer, and stale buffers must not reach the speakers.
void writeSilence(ProcessData& data)
{
    if (data.outputs == nullptr)
        return;
    for (int32 b = 0; b < data.numOutputs; ++b)
    {
        const AudioBusBuffers& bus = data.outputs[b];
        if (bus.channelBuffers32 == nullptr)
            continue;
        for (int32 c = 0; c < bus.numChannels; ++c)
        {
            Sample32* channel = bus.channelBuffers32[c];
            if (channel == nullptr)
                continue;
            for (int32 i = 0; i < data.numSamples; ++i)
                channel[i] = 0.0f;
        }
    }
}

} // namespace

FerrulithProcessor::FerrulithProcessor() : held(engineStartValues())
{
    setControllerClass(kFerrulithControllerUID);
}

FerrulithProcessor::~FerrulithProcessor()
{
    // A host that skipped deactivation must not leak the patch.
    if (patch)
        patch_destroy(patch);
}

FUnknown* FerrulithProcessor::createInstance(void* /*context*/)
{
    auto* processor = new (std::nothrow) FerrulithProcessor;
    if (processor == nullptr)
        return nullptr;
    return static_cast<IAudioProcessor*>(processor);
}

tresult PLUGIN_API FerrulithProcessor::initialize(FUnknown* context)
{
    // The base refuses a second call only while it holds a context; after a
    // first call with a null context it would accept, and a second pair of
    // buses would follow.
    if (getBusCount(kAudio, kInput) > 0 || getBusCount(kAudio, kOutput) > 0)
        return kResultFalse;
    const tresult result = AudioEffect::initialize(context);
    if (result != kResultOk)
        return result;
    try
    {
        addAudioInput(STR16("Stereo In"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
        addAudioOutput(STR16("Stereo Out"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
    }
    catch (...)
    {
        // Out of memory: leave nothing half made, and let the host try again.
        AudioEffect::terminate();
        return kOutOfMemory;
    }
    return kResultOk;
}

tresult PLUGIN_API FerrulithProcessor::terminate()
{
    return AudioEffect::terminate();
}

tresult PLUGIN_API FerrulithProcessor::setActive(TBool state)
{
    SpeakerArrangement arrangement = 0;
    if (getBusArrangement(kOutput, 0, arrangement) != kResultTrue)
        return kResultFalse;
    if (speakerCount(arrangement) == 0)
        return kResultFalse;

    // Hosts re-activate on every sample-rate or block-size change: the values
    // survive, only the signal state starts afresh.
    if (patch)
    {
        held = handOver.latest();
        patch_destroy(patch);
        patch = nullptr;
    }
    if (state)
    {
        patch_t* fresh = patch_create(static_cast<float>(processSetup.sampleRate));
        if (fresh == nullptr)
            return kOutOfMemory;
        loadValues(*fresh, held);
        handOver.restart(held);
        patch = fresh;
    }
    return AudioEffect::setActive(state);
}

tresult PLUGIN_API FerrulithProcessor::setState(IBStream* state)
{
    ProcessorState incoming;
    const tresult result = readProcessorState(state, incoming);
    if (result != kResultOk)
        return result;
    const ProcessorValues values = valuesFromState(incoming);
    if (patch)
        handOver.give(values);
    else
        held = values;
    return kResultOk;
}

tresult PLUGIN_API FerrulithProcessor::getState(IBStream* state)
{
    return writeProcessorState(state, stateFromValues(patch ? handOver.latest() : held));
}

tresult PLUGIN_API FerrulithProcessor::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API FerrulithProcessor::setupProcessing(ProcessSetup& setup)
{
    // The next patch is built for this rate in 32 bits; at zero, a negative,
    // an infinite or a NaN rate its filters produce a constant full-scale
    // output, so such a set-up is refused and the previous one stays.
    const float rate = static_cast<float>(setup.sampleRate);
    if (!(std::isfinite(rate) && rate > 0.0f))
        return kInvalidArgument;
    return AudioEffect::setupProcessing(setup);
}

int32 FerrulithProcessor::outputSpeakerCount()
{
    SpeakerArrangement arrangement = 0;
    if (getBusArrangement(kOutput, 0, arrangement) != kResultTrue)
        return 0;
    return speakerCount(arrangement);
}

tresult PLUGIN_API FerrulithProcessor::process(ProcessData& data)
{
    if (data.numSamples <= 0)
        return kResultOk;
    if (patch == nullptr)
    {
        writeSilence(data);
        return kResultOk;
    }

    ProcessorValues given;
    if (handOver.take(given))
        loadValues(*patch, given);

    // Input and output take their channel count from the output arrangement,
    // as far as the host's buffers actually carry those channels.
    const int32 channels = outputSpeakerCount();
    const Sample32* inLeft = channelOf(data.inputs, data.numInputs, 0);
    const Sample32* inRight = channels >= 2 ? channelOf(data.inputs, data.numInputs, 1) : nullptr;
    Sample32* outLeft = channels >= 1 ? channelOf(data.outputs, data.numOutputs, 0) : nullptr;
    Sample32* outRight = channels >= 2 ? channelOf(data.outputs, data.numOutputs, 1) : nullptr;

    // Every frame of the block runs with the same values: each changed
    // parameter's last point, bypass included, so the block is one run. The
    // block routine reads a missing input as silence, leaves a missing output
    // alone and works in place.
    applyParameterChanges(readParameterChanges(data));
    patch_process_block(patch, inLeft, inRight, outLeft, outRight, data.numSamples);

    handOver.publish(valuesOf(*patch));
    return kResultOk;
}

void FerrulithProcessor::applyPresetBeneath(double programValue, BlockEdits& edits)
{
    // The row the controller shows for the same value, loaded as if the host
    // had sent each of its values as a parameter change, except where the
    // block changes that parameter itself.
    const int32_t row = presetRowForValue(programValue);
    for (int k = 0; k < kSoundParamCount; ++k)
    {
        if (edits.paramMask & (1u << k))
            continue;
        edits.plain[k] =
            plainFromHostValue(static_cast<double>(kPresetValues[row][k]), soundParamRange(k));
        edits.paramMask |= 1u << k;
    }
}

FerrulithProcessor::BlockEdits FerrulithProcessor::readParameterChanges(ProcessData& data)
{
    BlockEdits edits;
    IParameterChanges* changes = data.inputParameterChanges;
    if (changes == nullptr)
        return edits;
    const int32 count = changes->getParameterCount();

    bool programChange = false;
    ParamValue programValue = 0.0;
    for (int32 q = 0; q < count; ++q)
    {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (queue == nullptr)
            continue;
        const int32 points = queue->getPointCount();
        // A queue without points has no last one; a negative count is a
        // broken host, and counting back from it would overflow.
        if (points <= 0)
            continue;
        const ParamID id = queue->getParameterId();
        if (id > kPresetsId)
            continue;
        // Only the last point counts; sample offsets are not used.
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(points - 1, offset, value) != kResultOk)
            continue;
        if (id == kPresetsId)
        {
            programChange = true;
            programValue = value;
        }
        else if (id == kBypassId)
        {
            edits.bypass = bypassFromHostValue(value) ? 1 : 0;
            edits.writesBypass = true;
        }
        else
        {
            edits.plain[id] = plainFromHostValue(value, soundParamRange(static_cast<int>(id)));
            edits.paramMask |= 1u << id;
        }
    }
    if (programChange)
        applyPresetBeneath(programValue, edits);
    return edits;
}

void FerrulithProcessor::applyParameterChanges(const BlockEdits& edits)
{
    if (edits.paramMask != 0)
    {
        for (int k = 0; k < kSoundParamCount; ++k)
        {
            if (edits.paramMask & (1u << k))
                patch->params[k]->value = edits.plain[k];
        }
    }
    if (edits.writesBypass)
        patch->bypass = edits.bypass;
}

} // namespace quorvelware
