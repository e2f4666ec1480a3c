// A child window inside the host's X11 window, drawn with cairo. It talks to
// the X server on its own xcb connection, whose events it reads whenever the
// host's run loop reports the connection readable. It is an XEmbed client:
// hosts that embed by that protocol refuse a window that does not say so.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/linux/x11runloop.h"
#include <memory>
#include <cairo.h>
#include <xcb/xcb.h>

namespace VSTGUI
{

class X11Frame final : public IPlatformFrame, X11::IEventHandler, X11::ITimerHandler
{
public:
    // Null when there is no display, the parent window does not exist or no
    // run loop is given.
    static std::unique_ptr<X11Frame> open(IPlatformFrameCallback* callback, const CRect& size,
                                          uint32_t parentWindow, X11::IRunLoop* runLoop);
    ~X11Frame() noexcept override;

    void invalid() override { dirty = true; }
    void setSize(const CRect& size) override;

    uint32_t getWindow() const { return window; }

private:
    X11Frame(IPlatformFrameCallback* callback, xcb_connection_t* connection,
             X11::IRunLoop* runLoop);
    bool create(const CRect& size, uint32_t parentWindow);
    void onEvent() override;
    void onTimer() override;
    void dispatch(const xcb_generic_event_t& event);
    void redraw();
    void map();
    xcb_atom_t intern(const char* name);

    IPlatformFrameCallback* callback;
    xcb_connection_t* connection;
    // cairo's state for this connection, finished before the connection
    // closes so that a later connection never inherits it.
    cairo_device_t* device = nullptr;
    X11::IRunLoop* runLoop;
    xcb_window_t window{0};
    xcb_visualtype_t* visual{nullptr};
    xcb_atom_t xembedInfo{XCB_ATOM_NONE};
    xcb_atom_t xembed{XCB_ATOM_NONE};
    int32_t width{0};
    int32_t height{0};
    bool dirty{true};
    bool registered{false};
};

} // namespace VSTGUI
