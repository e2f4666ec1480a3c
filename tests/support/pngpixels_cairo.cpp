#include "support/pngpixels.h"

#include <cairo.h>

namespace ferrulith::test
{

PngPixels readPngPixels(const std::string& path)
{
    PngPixels result;
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_flush(image);
        result.width = cairo_image_surface_get_width(image);
        result.height = cairo_image_surface_get_height(image);
        const int stride = cairo_image_surface_get_stride(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        for (int y = 0; y < result.height; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            result.pixels.insert(result.pixels.end(), row, row + result.width);
        }
        result.loaded = true;
    }
    cairo_surface_destroy(image);
    return result;
}

} // namespace ferrulith::test
