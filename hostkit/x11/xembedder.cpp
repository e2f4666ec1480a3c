#include "hostkit/x11/xembedder.h"

#include <cstdlib>
#include <cstring>

namespace ferrulith::host
{

namespace
{
constexpr uint32_t kMapped = 1 << 0; // XEMBED_MAPPED
constexpr uint32_t kEmbeddedNotify = 0;
constexpr uint32_t kWindowActivate = 1;
constexpr uint32_t kFocusIn = 4;
constexpr uint32_t kVersion = 1;

xcb_atom_t intern(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    auto* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}
} // namespace

XEmbedder::XEmbedder(xcb_connection_t* connection)
    : connection(connection), info(intern(connection, "_XEMBED_INFO")),
      message(intern(connection, "_XEMBED"))
{
}

std::string XEmbedder::check(xcb_window_t client) const
{
    // Asked for its own type: a property of any other type reads as absent,
    // as it does for hosts built on Xlib.
    auto cookie = xcb_get_property(connection, 0, client, info, info, 0, 2);
    auto* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::string problem;
    if (!reply || reply->type != info || reply->format != 32 ||
        xcb_get_property_value_length(reply) < 8)
        problem = "the editor's window does not announce XEmbed (no _XEMBED_INFO)";
    else if (static_cast<const uint32_t*>(xcb_get_property_value(reply))[1] & kMapped)
        problem = "the editor's window asks to be mapped before it is embedded";
    std::free(reply);
    return problem;
}

void XEmbedder::send(xcb_window_t client, uint32_t code, xcb_window_t parent) const
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = client;
    event.type = message;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = code;
    event.data.data32[3] = parent;
    event.data.data32[4] = kVersion;
    xcb_send_event(connection, 0, client, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
}

void XEmbedder::embed(xcb_window_t client, xcb_window_t parent) const
{
    send(client, kEmbeddedNotify, parent);
    xcb_map_window(connection, client);
    send(client, kWindowActivate, parent);
    send(client, kFocusIn, parent);
    // Synchronous, so the window is embedded once this returns.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace ferrulith::host
