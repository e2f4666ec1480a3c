#include "vstgui/lib/platform/win32/direct2d/d2dbitmap.h"

#include "vstgui/lib/platform/common/pngheader.h"
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <vector>

namespace VSTGUI
{

using Microsoft::WRL::ComPtr;

namespace
{
// PNG files beyond this are not images an editor ships.
constexpr int64_t kMaxFileSize = int64_t{64} << 20;

bool readWhole(IPlatformResourceInputStream& stream, std::vector<uint8_t>& bytes)
{
    const int64_t size = stream.seek(0, SeekMode::End);
    if (size <= 0 || size > kMaxFileSize || stream.seek(0, SeekMode::Set) != 0)
        return false;
    bytes.resize(static_cast<size_t>(size));
    return readFully(stream, bytes.data(), static_cast<uint32_t>(size));
}

// The source converted to premultiplied BGRA, the one format Direct2D draws
// from WIC with alpha, and decoded into memory once.
ComPtr<IWICBitmap> premultipliedCopy(IWICBitmapSource* source, IWICImagingFactory* factory)
{
    ComPtr<IWICFormatConverter> converter;
    ComPtr<IWICBitmap> bitmap;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0., WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateBitmapFromSource(converter.Get(), WICBitmapCacheOnLoad, &bitmap)))
        return nullptr;
    return bitmap;
}
} // namespace

D2DBitmap::D2DBitmap(ComPtr<IWICBitmap> bitmap) : source(std::move(bitmap))
{
    UINT w = 0;
    UINT h = 0;
    source->GetSize(&w, &h);
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
}

std::shared_ptr<D2DBitmap> D2DBitmap::fromPNG(IPlatformResourceInputStream& stream,
                                              uint64_t maxBytes, IWICImagingFactory* factory)
{
    std::vector<uint8_t> bytes;
    if (!factory || !hasDecodablePNGHeader(stream, maxBytes) || !readWhole(stream, bytes))
        return nullptr;
    ComPtr<IWICStream> memory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateStream(&memory)) ||
        FAILED(memory->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(memory.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, &frame)))
        return nullptr;
    auto decoded = premultipliedCopy(frame.Get(), factory);
    if (!decoded)
        return nullptr;
    return std::shared_ptr<D2DBitmap>(new D2DBitmap(std::move(decoded)));
}

std::shared_ptr<D2DBitmap> D2DBitmap::copyOf(IWICBitmapSource* source, IWICImagingFactory* factory)
{
    if (!source || !factory)
        return nullptr;
    auto copy = premultipliedCopy(source, factory);
    if (!copy)
        return nullptr;
    return std::shared_ptr<D2DBitmap>(new D2DBitmap(std::move(copy)));
}

ID2D1Bitmap* D2DBitmap::forTarget(ID2D1RenderTarget* target, uint64_t targetId)
{
    if (!onTarget || onTargetId != targetId)
    {
        onTarget.Reset();
        if (FAILED(target->CreateBitmapFromWicBitmap(source.Get(), nullptr, &onTarget)))
            return nullptr;
        onTargetId = targetId;
    }
    return onTarget.Get();
}

} // namespace VSTGUI
