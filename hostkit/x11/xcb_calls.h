// Two requests that the view host and the XEmbed embedder both make on their
// connection to the X server.
#pragma once

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace ferrulith::host
{

// The atom of that name; XCB_ATOM_NONE when the server gives none.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    auto* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Returns once the server has carried out every request sent before.
inline void roundTrip(xcb_connection_t* connection)
{
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace ferrulith::host
