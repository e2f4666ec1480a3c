#include "vstgui/lib/platform/linux/x11frame.h"

#include "vstgui/lib/platform/linux/cairodrawcontext.h"
#include <cairo-xcb.h>
#include <cstdlib>
#include <cstring>

namespace VSTGUI
{

namespace
{
constexpr uint64_t kTimerIntervalMs = 16; // one redraw at most per display frame

// XEmbed: the protocol version this window speaks, and the one message it acts on.
constexpr uint32_t kXEmbedVersion = 1;
constexpr uint32_t kXEmbedEmbeddedNotify = 0;

xcb_visualtype_t* findVisual(xcb_connection_t* connection, xcb_visualid_t id)
{
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem; xcb_screen_next(&screens))
    {
        auto depths = xcb_screen_allowed_depths_iterator(screens.data);
        for (; depths.rem; xcb_depth_next(&depths))
        {
            auto visuals = xcb_depth_visuals_iterator(depths.data);
            for (; visuals.rem; xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == id)
                    return visuals.data;
        }
    }
    return nullptr;
}

int32_t buttonsOf(uint16_t state)
{
    int32_t buttons = 0;
    if (state & XCB_BUTTON_MASK_1)
        buttons |= kLButton;
    if (state & XCB_BUTTON_MASK_2)
        buttons |= kMButton;
    if (state & XCB_BUTTON_MASK_3)
        buttons |= kRButton;
    return buttons;
}

int32_t buttonOf(xcb_button_t detail)
{
    return detail == 1 ? kLButton : detail == 2 ? kMButton : detail == 3 ? kRButton : 0;
}
} // namespace

std::unique_ptr<X11Frame> X11Frame::open(IPlatformFrameCallback* callback, const CRect& size,
                                         uint32_t parentWindow, X11::IRunLoop* runLoop)
{
    if (!callback || !runLoop || parentWindow == 0)
        return nullptr;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
    {
        xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<X11Frame> frame(new X11Frame(callback, connection, runLoop));
    if (!frame->create(size, parentWindow))
        return nullptr;
    return frame;
}

X11Frame::X11Frame(IPlatformFrameCallback* callback, xcb_connection_t* connection,
                   X11::IRunLoop* runLoop)
    : callback(callback), connection(connection), runLoop(runLoop)
{
}

xcb_atom_t X11Frame::intern(const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    auto* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

bool X11Frame::create(const CRect& size, uint32_t parentWindow)
{
    // The child window takes the parent's visual, so it works whatever visual
    // the host chose; the parent must exist.
    auto cookie = xcb_get_window_attributes(connection, parentWindow);
    auto* attributes = xcb_get_window_attributes_reply(connection, cookie, nullptr);
    if (!attributes)
        return false;
    visual = findVisual(connection, attributes->visual);
    std::free(attributes);
    if (!visual)
        return false;

    width = std::max(1, static_cast<int32_t>(size.getWidth()));
    height = std::max(1, static_cast<int32_t>(size.getHeight()));
    window = xcb_generate_id(connection);
    uint32_t mask = XCB_CW_EVENT_MASK;
    uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                      XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                      XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                      XCB_EVENT_MASK_PROPERTY_CHANGE;
    xembedInfo = intern("_XEMBED_INFO");
    xembed = intern("_XEMBED");
    auto created =
        xcb_create_window_checked(connection, XCB_COPY_FROM_PARENT, window, parentWindow, 0, 0,
                                  static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                                  XCB_WINDOW_CLASS_INPUT_OUTPUT, visual->visual_id, mask, &events);
    // XEmbed hosts read this as soon as they see the window created, so it
    // goes to the server with the creation. No XEMBED_MAPPED flag: the host
    // maps the window when it is ready for it.
    if (xembedInfo != XCB_ATOM_NONE)
    {
        const uint32_t info[] = {kXEmbedVersion, 0};
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, xembedInfo, xembedInfo, 32,
                            2, info);
    }
    if (auto* error = xcb_request_check(connection, created))
    {
        std::free(error);
        window = 0;
        return false;
    }
    if (xembedInfo == XCB_ATOM_NONE)
        map(); // nothing announced, so nobody would ever ask
    xcb_flush(connection);

    registered = runLoop->registerEventHandler(xcb_get_file_descriptor(connection), this);
    if (!registered || !runLoop->registerTimer(kTimerIntervalMs, this))
        return false;
    return true;
}

X11Frame::~X11Frame() noexcept
{
    if (registered)
    {
        runLoop->unregisterTimer(this);
        runLoop->unregisterEventHandler(this);
    }
    if (window)
        xcb_destroy_window(connection, window);
    xcb_flush(connection);
    if (device)
    {
        cairo_device_finish(device);
        cairo_device_destroy(device);
    }
    xcb_disconnect(connection);
}

void X11Frame::map()
{
    xcb_map_window(connection, window);
    xcb_flush(connection);
}

void X11Frame::setSize(const CRect& size)
{
    width = std::max(1, static_cast<int32_t>(size.getWidth()));
    height = std::max(1, static_cast<int32_t>(size.getHeight()));
    uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection);
    dirty = true;
}

void X11Frame::onEvent()
{
    while (auto* event = xcb_poll_for_event(connection))
    {
        dispatch(*event);
        std::free(event);
    }
    if (xcb_connection_has_error(connection))
    {
        // The X server is gone: its descriptor would report readable on every
        // turn of the host's loop. The editor stays, blank, until it is closed.
        if (registered)
        {
            runLoop->unregisterTimer(this);
            runLoop->unregisterEventHandler(this);
            registered = false;
        }
        return;
    }
    if (dirty)
        redraw();
}

void X11Frame::onTimer()
{
    callback->platformOnIdle();
    // Events may already sit in xcb's queue, read there by a reply; the file
    // descriptor would not show them.
    onEvent();
}

void X11Frame::dispatch(const xcb_generic_event_t& event)
{
    switch (event.response_type & 0x7f)
    {
    case XCB_EXPOSE:
        dirty = true;
        break;
    case XCB_CLIENT_MESSAGE:
    {
        // Of XEmbed's messages only "embedded" needs an answer; activation and
        // focus change nothing in an editor that takes no keyboard input.
        auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
        if (message.type == xembed && message.format == 32 &&
            message.data.data32[1] == kXEmbedEmbeddedNotify)
            map();
        break;
    }
    case XCB_PROPERTY_NOTIFY:
    {
        // Hosts that do not speak XEmbed never ask for the window to be
        // mapped: it maps itself once the server has taken its announcement.
        auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (change.window == window && change.atom == xembedInfo)
            map();
        break;
    }
    case XCB_BUTTON_PRESS:
    {
        auto& press = reinterpret_cast<const xcb_button_press_event_t&>(event);
        CPoint where(press.event_x, press.event_y);
        if (press.detail == 4 || press.detail == 5)
            callback->platformOnMouseWheel(where, press.detail == 4 ? 1.f : -1.f);
        else if (int32_t button = buttonOf(press.detail))
            callback->platformOnMouseDown(where, button);
        break;
    }
    case XCB_BUTTON_RELEASE:
    {
        auto& release = reinterpret_cast<const xcb_button_release_event_t&>(event);
        if (int32_t button = buttonOf(release.detail))
            callback->platformOnMouseUp(CPoint(release.event_x, release.event_y), button);
        break;
    }
    case XCB_MOTION_NOTIFY:
    {
        auto& motion = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
        callback->platformOnMouseMoved(CPoint(motion.event_x, motion.event_y),
                                       buttonsOf(motion.state));
        break;
    }
    case XCB_LEAVE_NOTIFY:
    {
        // A normal leave during a drag keeps the drag (the button's release
        // still comes to us); a grab taken or ended elsewhere, for instance
        // the host hiding its window, means the release goes to someone else.
        auto& leave = reinterpret_cast<const xcb_leave_notify_event_t&>(event);
        if (leave.mode == XCB_NOTIFY_MODE_GRAB || leave.mode == XCB_NOTIFY_MODE_UNGRAB)
            callback->platformOnMouseCancel();
        break;
    }
    default:
        break;
    }
}

void X11Frame::redraw()
{
    dirty = false;
    cairo_surface_t* surface = cairo_xcb_surface_create(connection, window, visual, width, height);
    if (!device)
        device = cairo_device_reference(cairo_surface_get_device(surface));
    cairo_t* cr = cairo_create(surface);
    // Draw into a group first so the window never shows a half-drawn editor.
    cairo_push_group(cr);
    {
        CairoDrawContext context(cr);
        callback->platformDrawRect(context, CRect(0, 0, width, height));
    }
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    xcb_flush(connection);
}

} // namespace VSTGUI
