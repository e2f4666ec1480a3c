#include "support/pngpixels.h"

#include <filesystem>
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

namespace ferrulith::test
{

using Microsoft::WRL::ComPtr;

namespace
{
PngPixels decode(const std::string& path)
{
    PngPixels result;
    ComPtr<IWICImagingFactory> imaging;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(imaging.GetAddressOf()))) ||
        FAILED(imaging->CreateDecoderFromFilename(std::filesystem::u8path(path).wstring().c_str(),
                                                  nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(imaging->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.,
                                     WICBitmapPaletteTypeCustom)))
        return result;
    result.pixels.resize(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4,
                                     static_cast<UINT>(result.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(result.pixels.data()))))
        return {};
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.loaded = true;
    return result;
}
} // namespace

PngPixels readPngPixels(const std::string& path)
{
    const bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    PngPixels result = decode(path);
    if (started)
        CoUninitialize();
    return result;
}

} // namespace ferrulith::test
