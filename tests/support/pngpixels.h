// The pixels of a PNG file, read the way each platform reads PNGs (cairo on
// Linux, WIC on Windows), for tests that compare pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ferrulith::test
{

struct PngPixels
{
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, premultiplied, top row first.
    std::vector<uint32_t> pixels;
    bool loaded = false;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

PngPixels readPngPixels(const std::string& path);

} // namespace ferrulith::test
