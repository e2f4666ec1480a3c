#include "vstgui/lib/platform/win32/direct2d/d2doffscreen.h"

#include "vstgui/lib/platform/win32/direct2d/d2dbitmap.h"
#include "vstgui/lib/platform/win32/win32factory.h"

namespace VSTGUI
{

using Microsoft::WRL::ComPtr;

std::unique_ptr<D2DOffscreen> D2DOffscreen::create(int32_t width, int32_t height,
                                                   const Win32Factory& factory)
{
    IWICImagingFactory* imaging = factory.getWICImagingFactory();
    ID2D1Factory* direct2D = factory.getD2DFactory();
    if (width <= 0 || height <= 0 || !imaging || !direct2D || !factory.getDirectWriteFactory())
        return nullptr;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<ID2D1RenderTarget> target;
    // 96 dots per inch: one Direct2D unit is one pixel, as on the Linux side.
    const auto properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 96.f, 96.f);
    if (FAILED(imaging->CreateBitmap(static_cast<UINT>(width), static_cast<UINT>(height),
                                     GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad,
                                     &bitmap)) ||
        FAILED(direct2D->CreateWicBitmapRenderTarget(bitmap.Get(), &properties, &target)))
        return nullptr;
    return std::unique_ptr<D2DOffscreen>(
        new D2DOffscreen(factory, std::move(bitmap), std::move(target)));
}

D2DOffscreen::D2DOffscreen(const Win32Factory& factory, ComPtr<IWICBitmap> bitmap,
                           ComPtr<ID2D1RenderTarget> target)
    : factory(factory), bitmap(std::move(bitmap)), target(std::move(target))
{
    context = std::make_unique<D2DDrawContext>(this->target.Get(), factory.getDirectWriteFactory());
}

D2DOffscreen::~D2DOffscreen() noexcept
{
    flush();
}

CDrawContext& D2DOffscreen::getDrawContext()
{
    if (!drawing)
    {
        target->BeginDraw();
        drawing = true;
    }
    return *context;
}

bool D2DOffscreen::flush()
{
    if (drawing)
    {
        context->endDraw();
        failed = FAILED(target->EndDraw()) || failed;
        drawing = false;
    }
    return !failed;
}

PlatformBitmapPtr D2DOffscreen::getBitmap()
{
    if (!flush())
        return nullptr;
    return D2DBitmap::copyOf(bitmap.Get(), factory.getWICImagingFactory());
}

} // namespace VSTGUI
