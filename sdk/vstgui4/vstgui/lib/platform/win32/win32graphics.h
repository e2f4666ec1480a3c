// What the Windows factory keeps for drawing and windows: COM on the thread
// that made it, the Direct2D, DirectWrite and WIC factories, and the window
// class of editor frames. Made at the module's initialisation and undone at
// its exit, in the opposite order.
#pragma once

#include "vstgui/lib/platform/win32/win32factory.h"
#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

namespace VSTGUI
{

struct Win32Factory::Graphics
{
    explicit Graphics(PlatformInstanceHandle module);
    ~Graphics() noexcept;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    const wchar_t* frameWindowClass() noexcept;

    HINSTANCE module;
    // COM is left as it was found: only a start of our own is undone, and
    // only on the thread that made it.
    bool comStarted{false};
    DWORD comThread{0};
    Microsoft::WRL::ComPtr<ID2D1Factory> direct2D;
    Microsoft::WRL::ComPtr<IDWriteFactory> directWrite;
    Microsoft::WRL::ComPtr<IWICImagingFactory> imaging;
    std::wstring frameClassName;
    ATOM frameClass{0};
};

} // namespace VSTGUI
