// The embedder's half of XEmbed, the protocol desktop hosts use to show a
// plug-in's window inside their own: what they require of the window the
// plug-in creates, and the messages they send it once it is accepted.
#pragma once

#include <string>
#include <xcb/xcb.h>

namespace ferrulith::host
{

class XEmbedder
{
public:
    explicit XEmbedder(xcb_connection_t* connection);

    // Empty when client announces XEmbed as embedders require: an
    // _XEMBED_INFO property of that type, two 32-bit words (version, flags),
    // not claiming to be mapped already. Otherwise what is wrong.
    std::string check(xcb_window_t client) const;

    // Tells client it is embedded in parent, maps it, and activates and
    // focuses it, in the order desktop hosts do.
    void embed(xcb_window_t client, xcb_window_t parent) const;

private:
    void send(xcb_window_t client, uint32_t message, xcb_window_t parent) const;

    xcb_connection_t* connection;
    xcb_atom_t info{XCB_ATOM_NONE};
    xcb_atom_t message{XCB_ATOM_NONE};
};

} // namespace ferrulith::host
