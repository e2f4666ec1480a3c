#include "hostkit/render.h"

#include "hostkit/host_error.h"

#include <algorithm>

namespace ferrulith::host
{

AudioBuffer renderAudio(PluginInstance& instance, const AudioBuffer& input,
                        const RenderProgress& progress)
{
    if (!instance.isProcessing())
        throw HostError("the plug-in must be processing before it can render");
    const std::size_t total = input.frames();
    const std::size_t block = std::size_t(instance.processingSetup().maxBlockSize);
    const int outputChannels = std::max(1, instance.outputChannelCount());

    AudioBuffer output;
    output.sampleRate = instance.processingSetup().sampleRate;
    output.channels.assign(std::size_t(outputChannels), std::vector<float>(total, 0.0f));

    std::vector<const float*> in(input.channels.size());
    std::vector<float*> out(output.channels.size());
    for (std::size_t done = 0; done < total;)
    {
        const std::size_t frames = std::min(block, total - done);
        for (std::size_t c = 0; c < in.size(); ++c)
            in[c] = input.channels[c].data() + done;
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = output.channels[c].data() + done;
        instance.processBlock(in.data(), int(in.size()), out.data(), int(out.size()),
                              Steinberg::int32(frames));
        done += frames;
        if (progress)
            progress(done, total);
    }
    return output;
}

} // namespace ferrulith::host
