// A cairo image surface to draw an editor into and save as PNG.
#pragma once

#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/linux/cairodrawcontext.h"
#include <memory>

namespace VSTGUI
{

class CairoOffscreen final : public IPlatformOffscreen
{
public:
    static std::unique_ptr<CairoOffscreen> create(int32_t width, int32_t height);
    ~CairoOffscreen() noexcept override;

    CDrawContext& getDrawContext() override { return *context; }
    PlatformBitmapPtr getBitmap() override;

private:
    explicit CairoOffscreen(cairo_surface_t* surface);
    cairo_surface_t* surface;
    std::unique_ptr<CairoDrawContext> context;
};

} // namespace VSTGUI
