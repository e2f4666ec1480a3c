// The Linux platform factory: resources are plain files in the bundle's
// Contents/Resources folder.
#pragma once

#include "vstgui/lib/platform/platformfactory.h"
#include <string>

namespace VSTGUI
{

class LinuxFactory final : public IPlatformFactory
{
public:
    // With findResourceFolder, the resource folder is the one of the bundle the
    // module (instance, or the module holding this code) was loaded from.
    LinuxFactory(PlatformInstanceHandle instance, bool findResourceFolder);

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
    const LinuxFactory* asLinuxFactory() const noexcept override { return this; }

    // The folder resource names are looked up in; tests and hosts that load
    // the library outside a bundle point it elsewhere.
    void setResourcePath(const std::string& path) const noexcept;
    std::string getResourcePath() const;

private:
    mutable std::string resourcePath;
};

} // namespace VSTGUI
