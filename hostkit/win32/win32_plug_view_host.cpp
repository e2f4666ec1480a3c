#include "hostkit/win32/win32_plug_view_host.h"

#include "base/source/fobject.h"
#include "hostkit/view_sizing.h"
#include "hostkit/win32/wide_text.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>
#include <wincodec.h>
#include <wrl/client.h>

namespace ferrulith::host
{

using namespace Steinberg;
using Microsoft::WRL::ComPtr;

// The IPlugFrame a hosted view asks to resize its window through.
class Win32PlugFrame final : public FObject, public IPlugFrame
{
public:
    explicit Win32PlugFrame(ResizeWindow resizeWindow) : resizeWindow(std::move(resizeWindow)) {}

    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override
    {
        return resizeWindowThenView(resizeWindow, view, newSize);
    }

    OBJ_METHODS(Win32PlugFrame, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    ResizeWindow resizeWindow;
};

namespace
{
constexpr wchar_t kWindowClass[] = L"FerrulithPlugViewHost";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

bool registerWindowClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer size of a window whose client area is width x height.
SIZE outerSize(int32_t width, int32_t height)
{
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// 32-bit BGR pixels, top row first, as a PNG file.
bool writePNG(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height)
{
    ComPtr<IWICImagingFactory> imaging;
    ComPtr<IWICBitmap> image;
    ComPtr<IWICStream> file;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    ComPtr<IWICFormatConverter> converter;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(imaging.GetAddressOf()))) &&
           SUCCEEDED(imaging->CreateBitmapFromMemory(
               width, height, GUID_WICPixelFormat32bppBGR, width * 4,
               static_cast<UINT>(pixels.size() * 4),
               reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels.data())), &image)) &&
           SUCCEEDED(imaging->CreateStream(&file)) &&
           SUCCEEDED(file->InitializeFromFilename(wideText(path).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(imaging->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(file.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(imaging->CreateFormatConverter(&converter)) &&
           SUCCEEDED(converter->Initialize(image.Get(), format, WICBitmapDitherTypeNone, nullptr,
                                           0., WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(frame->WriteSource(converter.Get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}
} // namespace

Win32PlugViewHost::Win32PlugViewHost()
{
    frame = IPtr<Win32PlugFrame>(new Win32PlugFrame([this](int32_t width, int32_t height)
                                                    { return resizeWindow(width, height); }),
                                 false);
}

Win32PlugViewHost::~Win32PlugViewHost()
{
    closeWindow();
}

bool Win32PlugViewHost::isConnected() const
{
    return registerWindowClass(windowProc);
}

bool Win32PlugViewHost::attach(IPlugView* newView, const std::string& title)
{
    error.clear();
    if (!newView || view)
        return false;
    if (!isConnected())
    {
        error = "cannot make windows";
        return false;
    }
    if (newView->isPlatformTypeSupported(kPlatformTypeHWND) != kResultTrue)
    {
        error = "the editor does not support HWND";
        return false;
    }
    ViewRect size;
    if (newView->getSize(&size) != kResultOk || size.getWidth() <= 0 || size.getHeight() <= 0)
    {
        error = "the editor has no size";
        return false;
    }
    const std::wstring caption = wideText(title);
    if (window)
    {
        resizeWindow(size.getWidth(), size.getHeight());
        SetWindowTextW(window, caption.c_str());
    }
    else
    {
        const SIZE outer = outerSize(size.getWidth(), size.getHeight());
        window = CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), this);
    }
    if (!window)
    {
        error = "cannot open a window";
        return false;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    newView->setFrame(frame);
    if (newView->attached(window, kPlatformTypeHWND) != kResultOk)
    {
        newView->setFrame(nullptr);
        error = "the editor would not attach to a window";
        return false;
    }
    view = newView;
    closedByUser = false;
    if (!getViewWindow())
    {
        detach();
        error = "the editor created no window inside the host's window";
        return false;
    }
    return true;
}

HWND Win32PlugViewHost::getViewWindow() const
{
    return window ? GetWindow(window, GW_CHILD) : nullptr;
}

void Win32PlugViewHost::detach()
{
    if (view)
    {
        view->removed();
        view->setFrame(nullptr);
        view = nullptr;
    }
}

void Win32PlugViewHost::closeWindow()
{
    detach();
    if (window)
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        window = nullptr;
    }
}

LRESULT CALLBACK Win32PlugViewHost::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* host = reinterpret_cast<Win32PlugViewHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == WM_CLOSE)
    {
        // Closed by the user: the owner detaches the view, then the window goes.
        host->closedByUser = true;
        return 0;
    }
    if (host && message == WM_SIZE && host->view && wParam != SIZE_MINIMIZED)
    {
        // The user resized the window: tell the view.
        followWindowSize(*host->view, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32PlugViewHost::run(int milliseconds)
{
    using namespace std::chrono;
    const auto end = steady_clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    auto left = [&] { return duration_cast<std::chrono::milliseconds>(end - steady_clock::now()); };
    MSG message;
    while (window && !closedByUser && (milliseconds < 0 || left().count() > 0))
    {
        // One message at a time, the time checked between them: an editor
        // that keeps repainting keeps the queue from ever running dry.
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const long long wait = milliseconds < 0 ? 100 : std::min<long long>(left().count(), 100);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max(wait, 0LL)),
                                  QS_ALLINPUT);
    }
    return !closedByUser;
}

bool Win32PlugViewHost::resizeWindow(int32_t width, int32_t height)
{
    if (!window || width <= 0 || height <= 0)
        return false;
    const SIZE outer = outerSize(width, height);
    return SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool Win32PlugViewHost::resize(int32_t width, int32_t height)
{
    return resizeAsUser(view, *frame, width, height);
}

bool Win32PlugViewHost::capturePNG(const std::string& path)
{
    HWND shown = getViewWindow();
    if (!shown || !view)
        return false;
    RECT client{};
    GetClientRect(shown, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    // From the window's own device context: what the window shows, even
    // where another window covers it on the screen.
    HDC source = GetDC(shown);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    bool copied =
        BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) &&
        GetDIBits(memory, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS) == height;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(shown, source);
    if (!copied)
        return false;
    const bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const bool written = writePNG(path, pixels, width, height);
    if (comStarted)
        CoUninitialize();
    return written;
}

} // namespace ferrulith::host
