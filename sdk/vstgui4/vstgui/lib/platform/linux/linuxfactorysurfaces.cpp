// The Linux factory's images, windows and memory surfaces.
#include "vstgui/lib/platform/linux/linuxfactory.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/linux/cairobitmap.h"
#include "vstgui/lib/platform/linux/cairooffscreen.h"
#include "vstgui/lib/platform/linux/x11frame.h"

namespace VSTGUI
{

std::shared_ptr<IPlatformBitmap> LinuxFactory::createBitmap(const CResourceDescription& desc,
                                                            uint64_t maxBytes) const noexcept
{
    try
    {
        auto stream = createResourceInputStream(desc);
        if (!stream)
            return nullptr;
        return CairoBitmap::fromPNG(*stream, maxBytes);
    }
    catch (...)
    {
        return nullptr;
    }
}

std::unique_ptr<IPlatformFrame>
LinuxFactory::createFrame(IPlatformFrameCallback* callback, const CRect& size, void* parent,
                          PlatformType type, IPlatformFrameConfig* config) const noexcept
{
    try
    {
        if (type != PlatformType::kX11EmbedWindowID && type != PlatformType::kDefaultNative)
            return nullptr;
        auto* x11Config = dynamic_cast<X11::FrameConfig*>(config);
        if (!x11Config)
            return nullptr;
        // The host hands the X11 window id itself in the pointer.
        auto window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
        return X11Frame::open(callback, size, window, x11Config->runLoop);
    }
    catch (...)
    {
        return nullptr;
    }
}

namespace
{
cairo_status_t appendToBuffer(void* closure, const unsigned char* data, unsigned int length)
{
    auto* buffer = static_cast<PNGBitmapBuffer*>(closure);
    try
    {
        buffer->insert(buffer->end(), data, data + length);
    }
    catch (...)
    {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

PNGBitmapBuffer
LinuxFactory::createBitmapMemoryPNGRepresentation(const PlatformBitmapPtr& bitmap) const noexcept
{
    PNGBitmapBuffer buffer;
    auto* image = dynamic_cast<CairoBitmap*>(bitmap.get());
    if (image == nullptr)
        return buffer;
    if (cairo_surface_write_to_png_stream(image->getSurface(), appendToBuffer, &buffer) !=
        CAIRO_STATUS_SUCCESS)
        buffer.clear();
    return buffer;
}

std::unique_ptr<IPlatformOffscreen> LinuxFactory::createOffscreen(int32_t width,
                                                                  int32_t height) const noexcept
{
    try
    {
        return CairoOffscreen::create(width, height);
    }
    catch (...)
    {
        return nullptr;
    }
}

} // namespace VSTGUI
