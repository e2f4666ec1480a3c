// The Windows platform factory: resources are plain files in the bundle's
// Contents\Resources folder; images are decoded by WIC and drawn, like the
// editor's windows and memory surfaces, by Direct2D with DirectWrite's text.
// The factory lives from the module's initialisation to its exit, and with
// it the Direct2D, DirectWrite and WIC factories and the frames' window class.
#pragma once

#include "vstgui/lib/platform/platformfactory.h"
#include <memory>
#include <string>

struct ID2D1Factory;
struct IDWriteFactory;
struct IWICImagingFactory;
struct IWICBitmapSource;

namespace VSTGUI
{

class Win32Factory final : public IPlatformFactory
{
public:
    // With findResourceFolder, the resource folder is the one of the bundle the
    // module (instance, or the module holding this code) was loaded from.
    Win32Factory(PlatformInstanceHandle instance, bool findResourceFolder);
    ~Win32Factory() noexcept override;

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

    // Null where this Windows lacks them.
    ID2D1Factory* getD2DFactory() const noexcept;
    IDWriteFactory* getDirectWriteFactory() const noexcept;
    IWICImagingFactory* getWICImagingFactory() const noexcept;
    // The module (HINSTANCE) the editor's windows belong to.
    PlatformInstanceHandle getInstance() const noexcept;
    // The window class of editor frames, registered on first use; null when
    // Windows refuses it.
    const wchar_t* getFrameWindowClass() const noexcept;
    // The image as a PNG file; empty when it cannot be encoded.
    PNGBitmapBuffer encodePNG(IWICBitmapSource* image) const noexcept;

private:
    void setResourceFolder(std::wstring folder) const noexcept;

    struct Graphics;
    std::unique_ptr<Graphics> graphics;
    mutable std::wstring resourceFolder;
};

} // namespace VSTGUI
