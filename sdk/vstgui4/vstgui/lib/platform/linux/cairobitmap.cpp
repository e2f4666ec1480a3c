#include "vstgui/lib/platform/linux/cairobitmap.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"

namespace VSTGUI
{

namespace
{
cairo_status_t readFromStream(void* closure, unsigned char* data, unsigned int length)
{
    auto& stream = *static_cast<IPlatformResourceInputStream*>(closure);
    while (length > 0)
    {
        uint32_t count = stream.readRaw(data, length);
        if (count == 0 || count == kStreamIOError)
            return CAIRO_STATUS_READ_ERROR;
        data += count;
        length -= count;
    }
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

std::shared_ptr<CairoBitmap> CairoBitmap::fromPNG(IPlatformResourceInputStream& stream)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readFromStream, &stream);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<CairoBitmap>(new CairoBitmap(surface));
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
