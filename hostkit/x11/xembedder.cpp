#include "hostkit/x11/xembedder.h"

#include "hostkit/x11/xcb_calls.h"

#include <cstdlib>

namespace ferrulith::host
{

namespace
{
constexpr uint32_t kMapped = 1 << 0; // XEMBED_MAPPED
constexpr uint32_t kEmbeddedNotify = 0;
constexpr uint32_t kWindowActivate = 1;
constexpr uint32_t kFocusIn = 4;
constexpr uint32_t kVersion = 1;
} // namespace

XEmbedder::XEmbedder(xcb_connection_t* connection)
    : connection(connection), info(internAtom(connection, "_XEMBED_INFO")),
      message(internAtom(connection, "_XEMBED"))
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
    roundTrip(connection);
}

} // namespace ferrulith::host
