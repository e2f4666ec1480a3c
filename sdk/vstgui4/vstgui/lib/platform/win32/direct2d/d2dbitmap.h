// A decoded image held in memory by WIC, drawn by Direct2D. A Direct2D bitmap
// belongs to the render target that made it, so the image keeps one for the
// target it was last drawn on and makes a new one when another target asks.
#pragma once

#include "vstgui/lib/platform/iplatformbitmap.h"
#include <cstdint>
#include <d2d1.h>
#include <memory>
#include <wincodec.h>
#include <wrl/client.h>

namespace VSTGUI
{

class D2DBitmap final : public IPlatformBitmap
{
public:
    // Reads the PNG from stream; null when it is not a readable PNG or its
    // pixels would take more than maxBytes.
    static std::shared_ptr<D2DBitmap> fromPNG(IPlatformResourceInputStream& stream,
                                              uint64_t maxBytes, IWICImagingFactory* factory);
    // A copy of what source holds now, in premultiplied 32-bit BGRA.
    static std::shared_ptr<D2DBitmap> copyOf(IWICBitmapSource* source, IWICImagingFactory* factory);

    int32_t getWidth() const override { return width; }
    int32_t getHeight() const override { return height; }
    IWICBitmapSource* getSource() const { return source.Get(); }

    // The image as a bitmap of target, whose draw context is numbered
    // targetId (numbers are never reused); null when it cannot be made.
    ID2D1Bitmap* forTarget(ID2D1RenderTarget* target, uint64_t targetId);

private:
    explicit D2DBitmap(Microsoft::WRL::ComPtr<IWICBitmap> source);

    Microsoft::WRL::ComPtr<IWICBitmap> source;
    int32_t width{0};
    int32_t height{0};
    Microsoft::WRL::ComPtr<ID2D1Bitmap> onTarget;
    uint64_t onTargetId{0};
};

} // namespace VSTGUI
