#include "hostkit/audio_block.h"

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

AudioBlock::AudioBlock(int32 numSamples, int32 inputChannels, int32 outputChannels)
    : inputs(static_cast<size_t>(inputChannels),
             std::vector<float>(static_cast<size_t>(numSamples))),
      outputs(static_cast<size_t>(outputChannels),
              std::vector<float>(static_cast<size_t>(numSamples), kUntouched))
{
    for (auto& channel : inputs)
        inputPointers.push_back(channel.data());
    for (auto& channel : outputs)
        outputPointers.push_back(channel.data());
    inputBus.numChannels = inputChannels;
    inputBus.channelBuffers32 = inputPointers.data();
    outputBus.numChannels = outputChannels;
    outputBus.channelBuffers32 = outputPointers.data();

    processData.processMode = kRealtime;
    processData.symbolicSampleSize = kSample32;
    processData.numSamples = numSamples;
    processData.numInputs = 1;
    processData.numOutputs = 1;
    processData.inputs = &inputBus;
    processData.outputs = &outputBus;
}

void AudioBlock::fillInputs(const std::function<float(int, int)>& f)
{
    for (size_t c = 0; c < inputs.size(); ++c)
        for (size_t i = 0; i < inputs[c].size(); ++i)
            inputs[c][i] = f(static_cast<int>(c), static_cast<int>(i));
}

void AudioBlock::shareBuffers()
{
    for (size_t c = 0; c < outputPointers.size() && c < inputPointers.size(); ++c)
        outputPointers[c] = inputPointers[c];
}

void AudioBlock::dropInputBus()
{
    processData.numInputs = 0;
    processData.inputs = nullptr;
}

void AudioBlock::dropOutputBus()
{
    processData.numOutputs = 0;
    processData.outputs = nullptr;
}

void AudioBlock::nullInputChannel(int channel)
{
    inputPointers[static_cast<size_t>(channel)] = nullptr;
}

void AudioBlock::nullOutputChannel(int channel)
{
    outputPointers[static_cast<size_t>(channel)] = nullptr;
}

void AudioBlock::claimInputChannels(int32 count)
{
    inputBus.numChannels = count;
}

} // namespace ferrulith::host
