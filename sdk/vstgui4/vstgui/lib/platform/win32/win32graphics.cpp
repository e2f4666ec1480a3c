#include "vstgui/lib/platform/win32/win32graphics.h"

#include "vstgui/lib/platform/win32/win32frame.h"
#include <cwchar>

namespace VSTGUI
{

Win32Factory::Graphics::Graphics(PlatformInstanceHandle instance)
    : module(static_cast<HINSTANCE>(instance))
{
    // WIC is a COM server. The host's UI thread is normally a COM apartment
    // already; then this only counts one more start.
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted = SUCCEEDED(started);
    comThread = GetCurrentThreadId();
    D2D1CreateFactory(D2D1_FACTORY_TYPE_MULTI_THREADED, __uuidof(ID2D1Factory), nullptr,
                      reinterpret_cast<void**>(direct2D.GetAddressOf()));
    DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                        reinterpret_cast<IUnknown**>(directWrite.GetAddressOf()));
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                     IID_PPV_ARGS(imaging.GetAddressOf()));
}

Win32Factory::Graphics::~Graphics() noexcept
{
    // A class that outlives its module would point Windows at unloaded code.
    if (frameClass)
        UnregisterClassW(frameClassName.c_str(), module);
    imaging.Reset();
    directWrite.Reset();
    direct2D.Reset();
    if (comStarted && GetCurrentThreadId() == comThread)
        CoUninitialize();
}

const wchar_t* Win32Factory::Graphics::frameWindowClass() noexcept
{
    if (frameClass)
        return frameClassName.c_str();
    try
    {
        // One class per module: two copies of the plug-in loaded from
        // different folders each keep their own window procedure.
        wchar_t name[64];
        std::swprintf(name, 64, L"VSTGUIFrame%p", static_cast<void*>(module));
        frameClassName = name;
    }
    catch (...)
    {
        return nullptr;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Win32Frame::windowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = frameClassName.c_str();
    frameClass = RegisterClassExW(&windowClass);
    return frameClass ? frameClassName.c_str() : nullptr;
}

} // namespace VSTGUI
