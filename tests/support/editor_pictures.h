// Helpers shared by the editor tests: UTF-16 texts for the parameter text
// methods, the editor's own pictures and a look at PNG files.
#pragma once

#include "common/plugviewsnapshot.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/vsttypes.h"

#include "support/pngpixels.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

namespace ferrulith::test
{

inline std::string narrow(const Steinberg::Vst::TChar* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += static_cast<char>(*text);
    return result;
}

inline std::u16string wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

// Asks the view to draw itself into the PNG file at path, as the project's
// host does; false when it offers no such picture or fails to write it.
inline bool drawToPNG(Steinberg::IPlugView* view, const std::string& path)
{
    return quorvelware::drawPlugViewToPNG(*view, path.c_str()) == Steinberg::kResultOk;
}

// What a PNG file holds: its size and how varied its pixels are.
struct Picture
{
    int width = 0;
    int height = 0;
    std::size_t distinctColours = 0;
    bool loaded = false;
};

inline Picture readPicture(const std::string& path)
{
    const auto png = ferrulith::test::readPngPixels(path);
    Picture picture;
    picture.loaded = png.loaded;
    picture.width = png.width;
    picture.height = png.height;
    std::set<uint32_t> colours;
    for (uint32_t pixel : png.pixels)
        colours.insert(pixel & 0x00FFFFFF);
    picture.distinctColours = colours.size();
    return picture;
}

// Pixels whose colour differs by more than tolerance (of 255) in a channel
// between two pictures of the same size, or -1.
inline long differingPixels(const std::string& pathA, const std::string& pathB, int tolerance = 0)
{
    const auto a = ferrulith::test::readPngPixels(pathA);
    const auto b = ferrulith::test::readPngPixels(pathB);
    if (!a.loaded || !b.loaded || a.width != b.width || a.height != b.height)
        return -1;
    long count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
    {
        int largest = 0;
        for (int shift : {0, 8, 16})
            largest = std::max(largest, std::abs(int((a.pixels[i] >> shift) & 0xff) -
                                                 int((b.pixels[i] >> shift) & 0xff)));
        count += largest > tolerance;
    }
    return count;
}

} // namespace ferrulith::test
