// Questions to the X server about windows, for tests that check what an
// editor or a host did with them; atoms come from the host kit's internAtom.
#pragma once

#include <cstdlib>
#include <xcb/xcb.h>

namespace ferrulith::test
{

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
