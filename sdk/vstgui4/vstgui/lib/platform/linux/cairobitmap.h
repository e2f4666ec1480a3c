// A decoded PNG held as a cairo image surface.
#pragma once

#include "vstgui/lib/platform/iplatformbitmap.h"
#include <cairo.h>
#include <cstdint>
#include <memory>

namespace VSTGUI
{

class CairoBitmap final : public IPlatformBitmap
{
public:
    // Reads the PNG from stream; null when it is not a readable PNG or when
    // its header announces more than maxBytes of decoded pixels.
    static std::shared_ptr<CairoBitmap> fromPNG(IPlatformResourceInputStream& stream,
                                                uint64_t maxBytes = UINT64_MAX);
    // The image surface itself, drawn so far; it lives as long as either.
    static std::shared_ptr<CairoBitmap> sharing(cairo_surface_t* image);
    ~CairoBitmap() noexcept override;

    int32_t getWidth() const override;
    int32_t getHeight() const override;
    cairo_surface_t* getSurface() const { return surface; }

private:
    explicit CairoBitmap(cairo_surface_t* surface) : surface(surface) {}
    cairo_surface_t* surface;
};

} // namespace VSTGUI
