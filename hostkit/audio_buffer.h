#pragma once

#include <cstddef>
#include <vector>

namespace ferrulith::host
{

// Non-interleaved 32-bit audio, one vector per channel, all of equal length.
struct AudioBuffer
{
    double sampleRate = 48000.0;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    double seconds() const { return sampleRate > 0.0 ? double(frames()) / sampleRate : 0.0; }
};

} // namespace ferrulith::host
