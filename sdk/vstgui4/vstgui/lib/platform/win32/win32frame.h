// A child window inside the host's window, painted by Direct2D. The render
// target draws into the window's device context: that needs no swap chain
// and no DirectComposition, so a child window shows its editor wherever GDI
// can draw, Wine included. Mouse presses capture the pointer until the last
// button is up; a capture taken away mid-gesture cancels the gesture. A timer
// gives the editor its regular turn on the window's thread.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/win32/direct2d/d2ddrawcontext.h"
#include <d2d1.h>
#include <memory>
#include <windows.h>
#include <wrl/client.h>

namespace VSTGUI
{

class Win32Factory;

class Win32Frame final : public IPlatformFrame
{
public:
    // Null when parent is not a window or Windows refuses the child.
    static std::unique_ptr<Win32Frame> open(IPlatformFrameCallback* callback, const CRect& size,
                                            HWND parent, const Win32Factory& factory);
    ~Win32Frame() noexcept override;

    // Windows coalesces invalidations into one WM_PAINT when the host's
    // message loop is idle.
    void invalid() override;
    void setSize(const CRect& size) override;

    HWND getHWND() const { return window; }

    // The window procedure of the frames' window class.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    Win32Frame(IPlatformFrameCallback* callback, const Win32Factory& factory);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void buttonDown(int32_t button, LPARAM lParam);
    void buttonUp(int32_t button, LPARAM lParam);

    IPlatformFrameCallback* callback;
    const Win32Factory& factory;
    HWND window{nullptr};
    Microsoft::WRL::ComPtr<ID2D1DCRenderTarget> target;
    std::unique_ptr<D2DDrawContext> context;
    int32_t heldButtons{0};
    bool releasingCapture{false};
};

} // namespace VSTGUI
