#include "vstgui/lib/platform/linux/cairobitmap.h"

#include "vstgui/lib/platform/common/pngheader.h"

namespace VSTGUI
{

namespace
{
cairo_status_t readFromStream(void* closure, unsigned char* data, unsigned int length)
{
    auto& stream = *static_cast<IPlatformResourceInputStream*>(closure);
    return readFully(stream, data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_READ_ERROR;
}
} // namespace

std::shared_ptr<CairoBitmap> CairoBitmap::fromPNG(IPlatformResourceInputStream& stream,
                                                  uint64_t maxBytes)
{
    if (!hasDecodablePNGHeader(stream, maxBytes))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readFromStream, &stream);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<CairoBitmap>(new CairoBitmap(surface));
}

std::shared_ptr<CairoBitmap> CairoBitmap::sharing(cairo_surface_t* image)
{
    cairo_surface_flush(image);
    return std::shared_ptr<CairoBitmap>(new CairoBitmap(cairo_surface_reference(image)));
}

CairoBitmap::~CairoBitmap() noexcept
{
    cairo_surface_destroy(surface);
}

int32_t CairoBitmap::getWidth() const
{
    return cairo_image_surface_get_width(surface);
}

int32_t CairoBitmap::getHeight() const
{
    return cairo_image_surface_get_height(surface);
}

} // namespace VSTGUI
