// Questions to the X server about windows, for tests that check what an
// editor or a host did with them.
#pragma once

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace ferrulith::test
{

// The atom called name; XCB_ATOM_NONE when the server gives none.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Whether window has been mapped (shown once its parents are).
inline bool windowIsMapped(xcb_connection_t* connection, xcb_window_t window)
{
    auto* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr);
    bool mapped = reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(reply);
    return mapped;
}

} // namespace ferrulith::test
