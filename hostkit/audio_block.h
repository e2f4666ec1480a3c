// One block of host audio for process(): owned channel buffers, the bus
// records pointing at them and the ProcessData that carries them, in the
// shapes hosts actually send (any channel count, missing buses, null
// channels, shared input and output buffers).
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <functional>
#include <vector>

namespace ferrulith::host
{

class AudioBlock
{
public:
    // Outputs start filled with kUntouched so a test can see what was written.
    static constexpr float kUntouched = 12345.0f;

    AudioBlock(Steinberg::int32 numSamples, Steinberg::int32 inputChannels,
               Steinberg::int32 outputChannels);
    AudioBlock(const AudioBlock&) = delete;
    AudioBlock& operator=(const AudioBlock&) = delete;

    Steinberg::Vst::ProcessData& data() { return processData; }

    std::vector<float>& input(int channel) { return inputs[static_cast<size_t>(channel)]; }
    std::vector<float>& output(int channel) { return outputs[static_cast<size_t>(channel)]; }
    // Fills every input channel c at frame i with f(c, i).
    void fillInputs(const std::function<float(int, int)>& f);

    // Output channel c then writes into input channel c's buffer.
    void shareBuffers();
    // The host passes no bus in that direction.
    void dropInputBus();
    void dropOutputBus();
    // The bus record is there but its channel pointer c is null.
    void nullInputChannel(int channel);
    void nullOutputChannel(int channel);
    // Changes only the count the bus record claims, not the buffers.
    void claimInputChannels(Steinberg::int32 count);
    // Sets numSamples without resizing (for zero or negative counts).
    void setNumSamples(Steinberg::int32 count) { processData.numSamples = count; }
    void setParameterChanges(Steinberg::Vst::IParameterChanges* changes)
    {
        processData.inputParameterChanges = changes;
    }

private:
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
    Steinberg::Vst::AudioBusBuffers inputBus{};
    Steinberg::Vst::AudioBusBuffers outputBus{};
    Steinberg::Vst::ProcessData processData{};
};

} // namespace ferrulith::host
