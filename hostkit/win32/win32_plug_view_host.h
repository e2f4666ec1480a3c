// For a host program: shows one plug-in view at a time in a top-level window
// of its own, as Windows hosts do: the view gets the window's handle as its
// parent (kPlatformTypeHWND) and an IPlugFrame for resizing. The window stays
// from the first attach until the host goes, and takes the size of each view
// attached to it. Everything runs on the calling thread, whose messages run()
// dispatches.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include <cstdint>
#include <string>
#include <windows.h>

namespace ferrulith::host
{

class Win32PlugFrame;

class Win32PlugViewHost
{
public:
    Win32PlugViewHost();
    ~Win32PlugViewHost();
    Win32PlugViewHost(const Win32PlugViewHost&) = delete;
    Win32PlugViewHost& operator=(const Win32PlugViewHost&) = delete;

    // False when this process cannot make windows.
    bool isConnected() const;

    // Opens the window at the view's size and attaches the view inside it;
    // false (no view left attached, the reason in lastError()) when the view
    // refuses HWND or the attach, or makes no window of its own there.
    bool attach(Steinberg::IPlugView* view, const std::string& title = "Ferrulith");
    const std::string& lastError() const { return error; }
    // Removes the view; safe to call when not attached. The window stays.
    void detach();
    bool isAttached() const { return view != nullptr; }

    // Dispatches the thread's messages for milliseconds, or, when negative,
    // until the user closes the window. Returns false once it has been closed.
    bool run(int milliseconds);

    // Resizes as a user dragging the window would: the view's constraint
    // first, then the window, then the view. False when the view is fixed.
    bool resize(int32_t width, int32_t height);

    // Writes what the view's window shows now into a PNG file.
    bool capturePNG(const std::string& path);

    HWND getWindow() const { return window; }
    // The window the view made inside ours.
    HWND getViewWindow() const;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void closeWindow();
    bool resizeWindow(int32_t width, int32_t height);

    Steinberg::IPtr<Win32PlugFrame> frame;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    HWND window{nullptr};
    bool closedByUser{false};
    std::string error;
};

} // namespace ferrulith::host
