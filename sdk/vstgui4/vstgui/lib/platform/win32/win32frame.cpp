#include "vstgui/lib/platform/win32/win32frame.h"

#include "vstgui/lib/platform/win32/win32factory.h"
#include <algorithm>
#include <windowsx.h>

namespace VSTGUI
{

namespace
{
// The editor's regular turn, for work other threads hand to it: about one
// per display frame, as on Linux.
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdleIntervalMs = 16;

CPoint pointOf(LPARAM lParam)
{
    // Signed: while the pointer is captured it may lie left of or above the window.
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

int32_t buttonsOf(WPARAM wParam)
{
    int32_t buttons = 0;
    if (wParam & MK_LBUTTON)
        buttons |= kLButton;
    if (wParam & MK_MBUTTON)
        buttons |= kMButton;
    if (wParam & MK_RBUTTON)
        buttons |= kRButton;
    return buttons;
}
} // namespace

std::unique_ptr<Win32Frame> Win32Frame::open(IPlatformFrameCallback* callback, const CRect& size,
                                             HWND parent, const Win32Factory& factory)
{
    if (!callback || !parent || !IsWindow(parent) || !factory.getD2DFactory() ||
        !factory.getDirectWriteFactory())
        return nullptr;
    const wchar_t* windowClass = factory.getFrameWindowClass();
    if (!windowClass)
        return nullptr;
    std::unique_ptr<Win32Frame> frame(new Win32Frame(callback, factory));
    const int width = std::max(1, static_cast<int>(size.getWidth()));
    const int height = std::max(1, static_cast<int>(size.getHeight()));
    frame->window = CreateWindowExW(
        0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, width,
        height, parent, nullptr, static_cast<HINSTANCE>(factory.getInstance()), frame.get());
    if (!frame->window)
        return nullptr;
    SetTimer(frame->window, kIdleTimer, kIdleIntervalMs, nullptr);
    return frame;
}

Win32Frame::Win32Frame(IPlatformFrameCallback* callback, const Win32Factory& factory)
    : callback(callback), factory(factory)
{
}

Win32Frame::~Win32Frame() noexcept
{
    if (window)
    {
        // Whatever destroying the window sends (a lost capture among it)
        // no longer reaches the editor that is closing.
        KillTimer(window, kIdleTimer);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    context.reset();
    target.Reset();
}

void Win32Frame::invalid()
{
    if (window)
        InvalidateRect(window, nullptr, FALSE);
}

void Win32Frame::setSize(const CRect& size)
{
    if (!window)
        return;
    SetWindowPos(window, nullptr, 0, 0, std::max(1, static_cast<int>(size.getWidth())),
                 std::max(1, static_cast<int>(size.getHeight())),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    invalid();
}

LRESULT CALLBACK Win32Frame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* created =
            static_cast<Win32Frame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        // Known before CreateWindowEx returns: the window's first messages
        // arrive from inside it.
        created->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* frame = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
    {
        // The host destroyed its window, and ours with it, before removing
        // the editor.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        frame->window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may cross Windows' own code back to the host's loop.
    try
    {
        return frame->handle(message, wParam, lParam);
    }
    catch (...)
    {
        return 0;
    }
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel; erasing first would flicker
    case WM_PAINT:
        paint();
        return 0;
    case WM_TIMER:
        if (wParam == kIdleTimer)
        {
            callback->platformOnIdle();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        buttonDown(kLButton, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        buttonDown(kMButton, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        buttonDown(kRButton, lParam);
        return 0;
    case WM_LBUTTONUP:
        buttonUp(kLButton, lParam);
        return 0;
    case WM_MBUTTONUP:
        buttonUp(kMButton, lParam);
        return 0;
    case WM_RBUTTONUP:
        buttonUp(kRButton, lParam);
        return 0;
    case WM_MOUSEMOVE:
        callback->platformOnMouseMoved(pointOf(lParam), buttonsOf(wParam));
        return 0;
    case WM_MOUSEWHEEL:
    {
        // The wheel's position comes in screen coordinates.
        POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &where);
        callback->platformOnMouseWheel(CPoint(where.x, where.y),
                                       static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) /
                                           WHEEL_DELTA);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the pointer mid-gesture (a host's dialog, a
        // task switch): the release will not come here.
        if (!releasingCapture && heldButtons != 0)
        {
            heldButtons = 0;
            callback->platformOnMouseCancel();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32Frame::buttonDown(int32_t button, LPARAM lParam)
{
    if (heldButtons == 0)
        SetCapture(window);
    heldButtons |= button;
    callback->platformOnMouseDown(pointOf(lParam), button);
}

void Win32Frame::buttonUp(int32_t button, LPARAM lParam)
{
    heldButtons &= ~button;
    callback->platformOnMouseUp(pointOf(lParam), button);
    if (heldButtons == 0 && GetCapture() == window)
    {
        releasingCapture = true;
        ReleaseCapture();
        releasingCapture = false;
    }
}

void Win32Frame::paint()
{
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(window, &paintStruct);
    RECT client{};
    GetClientRect(window, &client);
    if (dc && !target)
    {
        // 96 dots per inch: one Direct2D unit is one pixel, as on the Linux side.
        const auto properties = D2D1::RenderTargetProperties(
            D2D1_RENDER_TARGET_TYPE_DEFAULT,
            D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE), 96.f, 96.f);
        if (SUCCEEDED(factory.getD2DFactory()->CreateDCRenderTarget(&properties, &target)))
            context =
                std::make_unique<D2DDrawContext>(target.Get(), factory.getDirectWriteFactory());
    }
    if (dc && target && SUCCEEDED(target->BindDC(dc, &client)))
    {
        target->BeginDraw();
        target->Clear(D2D1::ColorF(0.f, 0.f, 0.f, 1.f));
        try
        {
            callback->platformDrawRect(*context, CRect(0, 0, client.right, client.bottom));
        }
        catch (...)
        {
            // Out of memory mid-drawing: what was drawn is shown, and the
            // window's paint still ends.
        }
        context->endDraw();
        if (target->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET))
        {
            // The graphics device went away (a driver update, a remote
            // session): draw again on a new target.
            context.reset();
            target.Reset();
            InvalidateRect(window, nullptr, FALSE);
        }
    }
    EndPaint(window, &paintStruct);
}

} // namespace VSTGUI
