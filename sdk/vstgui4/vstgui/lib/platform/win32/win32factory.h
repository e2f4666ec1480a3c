// The Windows platform factory: resources are plain files in the bundle's
// Contents\Resources folder. Windows drawing and windows come with the
// editor's Windows back end; until then there are no bitmaps, PNG images,
// frames or offscreen surfaces.
#pragma once

#include "vstgui/lib/platform/platformfactory.h"
#include <string>

namespace VSTGUI
{

class Win32Factory final : public IPlatformFactory
{
public:
    // With findResourceFolder, the resource folder is the one of the bundle the
    // module (instance, or the module holding this code) was loaded from.
    Win32Factory(PlatformInstanceHandle instance, bool findResourceFolder);

    uint64_t getTicks() const noexcept override;
    PlatformResourceInputStreamPtr
    createResourceInputStream(const CResourceDescription& desc) const noexcept override;
    std::shared_ptr<IPlatformBitmap> createBitmap(const CResourceDescription& desc,
                                                  uint64_t maxBytes) const noexcept override;
    std::unique_ptr<IPlatformFrame>
    createFrame(IPlatformFrameCallback* callback, const CRect& size, void* parent,
                PlatformType type, IPlatformFrameConfig* config) const noexcept override;
    PNGBitmapBuffer
    createBitmapMemoryPNGRepresentation(const PlatformBitmapPtr& bitmap) const noexcept override;
    std::unique_ptr<IPlatformOffscreen> createOffscreen(int32_t width,
                                                        int32_t height) const noexcept override;
    const Win32Factory* asWin32Factory() const noexcept override { return this; }

    // The folder resource names are looked up in (UTF-8); tests and hosts
    // that load the library outside a bundle point it elsewhere.
    void setResourcePath(const std::string& path) const noexcept;
    std::string getResourcePath() const;

private:
    void setResourceFolder(std::wstring folder) const noexcept;

    mutable std::wstring resourceFolder;
};

} // namespace VSTGUI
