// What one UI description may cost in memory, all told: the text read and the
// tree parsed from it, every image it decodes and the surface its editor
// draws into. A few hundred bytes of hostile resources could otherwise ask for
// gigabytes (a 32767 x 32767 template, a small PNG that decodes to
// 8192 x 8192). Each cost is charged before its memory is taken, and what no
// longer fits is refused as if it were unreadable.
#pragma once

#include <cstdint>

namespace VSTGUI
{

class UIMemoryBudget
{
public:
    // 64 MiB: about sixteen times what the shipped editor takes (its images
    // decode to under 3 MB, its window is 950 x 288).
    static constexpr uint64_t kTotalBytes = uint64_t{64} << 20;

    // False, and nothing charged, when bytes would pass the total.
    bool charge(uint64_t bytes)
    {
        if (bytes > remaining())
            return false;
        spent += bytes;
        return true;
    }
    uint64_t remaining() const { return kTotalBytes - spent; }
    void reset() { spent = 0; }

private:
    uint64_t spent = 0;
};

// The bytes of a 32-bit pixel surface, as images decode and editors draw.
constexpr uint64_t surfaceBytes(uint64_t width, uint64_t height)
{
    return width * height * 4;
}

} // namespace VSTGUI
