// Helpers shared by the editor tests: UTF-16 texts for the parameter text
// methods and a look at PNG pictures.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <cairo.h>

#include <cstdint>
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
    Picture picture;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_flush(surface);
        picture.loaded = true;
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        std::set<uint32_t> colours;
        for (int y = 0; y < picture.height; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < picture.width; ++x)
                colours.insert(row[x] & 0x00FFFFFF);
        }
        picture.distinctColours = colours.size();
    }
    cairo_surface_destroy(surface);
    return picture;
}

// Pixels that differ between two pictures of the same size, or -1.
inline long differingPixels(const std::string& pathA, const std::string& pathB)
{
    cairo_surface_t* a = cairo_image_surface_create_from_png(pathA.c_str());
    cairo_surface_t* b = cairo_image_surface_create_from_png(pathB.c_str());
    long count = -1;
    if (cairo_surface_status(a) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_status(b) == CAIRO_STATUS_SUCCESS &&
        cairo_image_surface_get_width(a) == cairo_image_surface_get_width(b) &&
        cairo_image_surface_get_height(a) == cairo_image_surface_get_height(b))
    {
        count = 0;
        const int w = cairo_image_surface_get_width(a);
        const int h = cairo_image_surface_get_height(a);
        for (int y = 0; y < h; ++y)
        {
            const auto* ra = reinterpret_cast<const uint32_t*>(
                cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a));
            const auto* rb = reinterpret_cast<const uint32_t*>(
                cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b));
            for (int x = 0; x < w; ++x)
                count += (ra[x] & 0x00FFFFFF) != (rb[x] & 0x00FFFFFF);
        }
    }
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
    return count;
}

} // namespace ferrulith::test
