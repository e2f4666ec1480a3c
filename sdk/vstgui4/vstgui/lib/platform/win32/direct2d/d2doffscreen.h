// A WIC bitmap that Direct2D draws into, to picture an editor without a
// window or to save it as PNG.
#pragma once

#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/win32/direct2d/d2ddrawcontext.h"
#include <memory>
#include <wincodec.h>

namespace VSTGUI
{

class Win32Factory;

class D2DOffscreen final : public IPlatformOffscreen
{
public:
    // Null when the size is empty or Direct2D cannot draw into memory here.
    static std::unique_ptr<D2DOffscreen> create(int32_t width, int32_t height,
                                                const Win32Factory& factory);
    ~D2DOffscreen() noexcept override;

    CDrawContext& getDrawContext() override;
    PlatformBitmapPtr getBitmap() override;

private:
    D2DOffscreen(const Win32Factory& factory, Microsoft::WRL::ComPtr<IWICBitmap> bitmap,
                 Microsoft::WRL::ComPtr<ID2D1RenderTarget> target);
    // Ends the drawing so far, leaving its pixels in the bitmap.
    bool flush();

    const Win32Factory& factory;
    Microsoft::WRL::ComPtr<IWICBitmap> bitmap;
    Microsoft::WRL::ComPtr<ID2D1RenderTarget> target;
    std::unique_ptr<D2DDrawContext> context;
    bool drawing{false};
    bool failed{false};
};

} // namespace VSTGUI
