// For a host program: shows one plug-in view in a top-level X11 window of its
// own, serving the view the IPlugFrame and the Linux run loop (file-descriptor
// handlers and timers) it asks for. Everything runs on the calling thread.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include <cstdint>
#include <memory>
#include <string>

namespace ferrulith::host
{

class HostFrame;

class X11PlugViewHost
{
public:
    // Connects to the display in $DISPLAY; see isConnected().
    X11PlugViewHost();
    ~X11PlugViewHost();
    X11PlugViewHost(const X11PlugViewHost&) = delete;
    X11PlugViewHost& operator=(const X11PlugViewHost&) = delete;

    bool isConnected() const;

    // Opens a window at the view's size, attaches the view inside it and
    // embeds the window the view creates there by XEmbed, as desktop hosts
    // do; false (nothing left open, the reason in lastError()) when the view
    // refuses X11 or the attach, or its window does not follow XEmbed.
    bool attach(Steinberg::IPlugView* view, const std::string& title = "Ferrulith");
    const std::string& lastError() const { return error; }
    // Removes the view and closes the window; safe to call when not attached.
    void detach();
    bool isAttached() const { return view != nullptr; }

    // Serves the run loop for milliseconds, or, when negative, until the user
    // closes the window. Returns false once the window has been closed.
    bool run(int milliseconds);

    // Resizes as a user dragging the window would: the view's constraint
    // first, then the window, then the view. False when the view is fixed.
    bool resize(int32_t width, int32_t height);

    // Writes what the window shows now into a PNG file (for views that cannot
    // draw themselves offscreen).
    bool capturePNG(const std::string& path);

    uint32_t getWindow() const { return window; }
    // The number of file-descriptor handlers and timers the view registered.
    size_t registeredHandlerCount() const;

private:
    void processOwnEvents();
    std::string embedViewWindow();

    struct Connection;
    std::unique_ptr<Connection> connection;
    Steinberg::IPtr<HostFrame> frame;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    uint32_t window{0};
    bool closedByUser{false};
    std::string error;
};

} // namespace ferrulith::host
