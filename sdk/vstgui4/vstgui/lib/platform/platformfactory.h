// The process-wide factory for everything that depends on the operating
// system: resource streams, bitmaps, windows and offscreen surfaces.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/vstguifwd.h"
#include <cstdint>
#include <memory>

namespace VSTGUI
{

class LinuxFactory;
class Win32Factory;
class IPlatformOffscreen;

class IPlatformFactory
{
public:
    virtual ~IPlatformFactory() noexcept = default;

    // Milliseconds from an arbitrary fixed point.
    virtual uint64_t getTicks() const noexcept = 0;

    // Opens a resource by name from the bundle's resource folder. Empty when the
    // description names no file or the file cannot be opened.
    virtual PlatformResourceInputStreamPtr
    createResourceInputStream(const CResourceDescription& desc) const noexcept = 0;

    // Decodes a PNG image from a resource; null when it cannot be read or its
    // decoded 32-bit pixels would take more than maxBytes.
    virtual std::shared_ptr<IPlatformBitmap> createBitmap(const CResourceDescription& desc,
                                                          uint64_t maxBytes) const noexcept = 0;

    // Opens a window inside parent; null when the platform type is not served
    // or the window system cannot be reached.
    virtual std::unique_ptr<IPlatformFrame>
    createFrame(IPlatformFrameCallback* callback, const CRect& size, void* parent,
                PlatformType type, IPlatformFrameConfig* config) const noexcept = 0;

    // The bitmap encoded as a PNG file; empty when it cannot be encoded.
    virtual PNGBitmapBuffer
    createBitmapMemoryPNGRepresentation(const PlatformBitmapPtr& bitmap) const noexcept = 0;

    // A memory surface of width x height pixels; null when it cannot be made.
    virtual std::unique_ptr<IPlatformOffscreen> createOffscreen(int32_t width,
                                                                int32_t height) const noexcept = 0;

    virtual const LinuxFactory* asLinuxFactory() const noexcept { return nullptr; }
    virtual const Win32Factory* asWin32Factory() const noexcept { return nullptr; }
};

// Valid between init() and exit(); outside that span a factory without a
// resource folder stands in, so a look-up finds nothing rather than crashing.
const IPlatformFactory& getPlatformFactory();

} // namespace VSTGUI
