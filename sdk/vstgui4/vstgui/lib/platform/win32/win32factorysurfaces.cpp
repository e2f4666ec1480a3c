// The Windows factory's images, windows and memory surfaces.
#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/win32/direct2d/d2dbitmap.h"
#include "vstgui/lib/platform/win32/direct2d/d2doffscreen.h"
#include "vstgui/lib/platform/win32/win32factory.h"
#include "vstgui/lib/platform/win32/win32frame.h"
#include "vstgui/lib/platform/win32/win32graphics.h"

namespace VSTGUI
{

using Microsoft::WRL::ComPtr;

ID2D1Factory* Win32Factory::getD2DFactory() const noexcept
{
    return graphics->direct2D.Get();
}

IDWriteFactory* Win32Factory::getDirectWriteFactory() const noexcept
{
    return graphics->directWrite.Get();
}

IWICImagingFactory* Win32Factory::getWICImagingFactory() const noexcept
{
    return graphics->imaging.Get();
}

PlatformInstanceHandle Win32Factory::getInstance() const noexcept
{
    return graphics->module;
}

const wchar_t* Win32Factory::getFrameWindowClass() const noexcept
{
    return graphics->frameWindowClass();
}

std::shared_ptr<IPlatformBitmap> Win32Factory::createBitmap(const CResourceDescription& desc,
                                                            uint64_t maxBytes) const noexcept
{
    try
    {
        auto stream = createResourceInputStream(desc);
        if (!stream)
            return nullptr;
        return D2DBitmap::fromPNG(*stream, maxBytes, getWICImagingFactory());
    }
    catch (...)
    {
        return nullptr;
    }
}

std::unique_ptr<IPlatformFrame> Win32Factory::createFrame(IPlatformFrameCallback* callback,
                                                          const CRect& size, void* parent,
                                                          PlatformType type,
                                                          IPlatformFrameConfig*) const noexcept
{
    try
    {
        if (type != PlatformType::kHWND && type != PlatformType::kDefaultNative)
            return nullptr;
        return Win32Frame::open(callback, size, static_cast<HWND>(parent), *this);
    }
    catch (...)
    {
        return nullptr;
    }
}

PNGBitmapBuffer Win32Factory::encodePNG(IWICBitmapSource* image) const noexcept
{
    PNGBitmapBuffer png;
    IWICImagingFactory* imaging = getWICImagingFactory();
    UINT width = 0;
    UINT height = 0;
    ComPtr<IStream> memory;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IWICFormatConverter> straight;
    // PNG keeps colours unmultiplied by their alpha, as the Linux side writes them.
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (!image || !imaging || FAILED(image->GetSize(&width, &height)) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &memory)) ||
        FAILED(imaging->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(memory.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format)) ||
        format != GUID_WICPixelFormat32bppBGRA ||
        FAILED(imaging->CreateFormatConverter(&straight)) ||
        FAILED(straight->Initialize(image, format, WICBitmapDitherTypeNone, nullptr, 0.,
                                    WICBitmapPaletteTypeCustom)) ||
        FAILED(frame->WriteSource(straight.Get(), nullptr)) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit()))
        return png;
    STATSTG stat{};
    LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(memory->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > 0x7fffffff ||
        FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr)))
        return png;
    try
    {
        png.resize(static_cast<size_t>(stat.cbSize.QuadPart));
    }
    catch (...)
    {
        return {};
    }
    if (FAILED(memory->Read(png.data(), static_cast<ULONG>(png.size()), &read)) ||
        read != png.size())
        png.clear();
    return png;
}

PNGBitmapBuffer
Win32Factory::createBitmapMemoryPNGRepresentation(const PlatformBitmapPtr& bitmap) const noexcept
{
    auto* image = dynamic_cast<D2DBitmap*>(bitmap.get());
    return image ? encodePNG(image->getSource()) : PNGBitmapBuffer{};
}

std::unique_ptr<IPlatformOffscreen> Win32Factory::createOffscreen(int32_t width,
                                                                  int32_t height) const noexcept
{
    try
    {
        return D2DOffscreen::create(width, height, *this);
    }
    catch (...)
    {
        return nullptr;
    }
}

} // namespace VSTGUI
