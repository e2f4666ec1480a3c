#include "vstgui/lib/platform/linux/cairooffscreen.h"

#include "vstgui/lib/platform/linux/cairobitmap.h"

namespace VSTGUI
{

std::unique_ptr<CairoOffscreen> CairoOffscreen::create(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::unique_ptr<CairoOffscreen>(new CairoOffscreen(surface));
}

CairoOffscreen::CairoOffscreen(cairo_surface_t* surface) : surface(surface)
{
    cairo_t* cr = cairo_create(surface);
    context = std::make_unique<CairoDrawContext>(cr);
    cairo_destroy(cr);
}

CairoOffscreen::~CairoOffscreen() noexcept
{
    context.reset();
    cairo_surface_destroy(surface);
}

PlatformBitmapPtr CairoOffscreen::getBitmap()
{
    return CairoBitmap::sharing(surface);
}

} // namespace VSTGUI
