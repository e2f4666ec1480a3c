#pragma once

#include "hostkit/audio_buffer.h"
#include "hostkit/plugin_instance.h"

#include <cstddef>
#include <functional>

namespace ferrulith::host
{

// Called after each block with the frames done so far and the total.
using RenderProgress = std::function<void(std::size_t done, std::size_t total)>;

// Runs `input` through a processing instance block by block and returns the
// processor's main output, as many channels as it has, at the input's length.
AudioBuffer renderAudio(PluginInstance& instance, const AudioBuffer& input,
                        const RenderProgress& progress = {});

} // namespace ferrulith::host
