// The host embeds a view's window only as desktop hosts that follow XEmbed
// do: a window without the protocol's announcement is refused, so an editor
// that lost it fails here rather than in the user's host.
#include "editor_test_support.h"
#include "hostkit/x11/x11_plug_view_host.h"
#include "hostkit/x11/xcb_calls.h"
#include "x11_window_queries.h"

#include "public.sdk/source/common/pluginview.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <xcb/xcb.h>

using namespace Steinberg;
using ferrulith::host::internAtom;
using ferrulith::host::X11PlugViewHost;
using ferrulith::test::windowIsMapped;

namespace
{
enum class Announcement
{
    None,
    WrongType,
    AlreadyMapped,
    Proper,
};

// A view that creates one plain child window in the host's window, announced
// as told.
class ChildWindowView final : public CPluginView
{
public:
    explicit ChildWindowView(Announcement announcement) : announcement(announcement)
    {
        rect = ViewRect(0, 0, 120, 80);
        connection = xcb_connect(nullptr, nullptr);
    }
    ~ChildWindowView() override { xcb_disconnect(connection); }

    tresult PLUGIN_API isPlatformTypeSupported(FIDString) override { return kResultTrue; }
    tresult PLUGIN_API attached(void* parent, FIDString type) override
    {
        window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window,
                          static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(parent)), 0, 0, 120,
                          80, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_atom_t info = internAtom(connection, "_XEMBED_INFO");
        xcb_atom_t kind =
            announcement == Announcement::WrongType ? xcb_atom_t{XCB_ATOM_CARDINAL} : info;
        uint32_t words[] = {1, announcement == Announcement::AlreadyMapped ? 1u : 0u};
        if (announcement != Announcement::None)
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, info, kind, 32, 2,
                                words);
        // Done on the server before attached() returns, as editors do.
        ferrulith::host::roundTrip(connection);
        return CPluginView::attached(parent, type);
    }
    tresult PLUGIN_API removed() override
    {
        xcb_destroy_window(connection, window);
        xcb_flush(connection);
        ++removals;
        return CPluginView::removed();
    }

    // The XEmbed message codes that reached the window, in order.
    std::vector<uint32_t> receivedMessages()
    {
        xcb_atom_t xembed = internAtom(connection, "_XEMBED");
        std::vector<uint32_t> codes;
        while (auto* event = xcb_poll_for_event(connection))
        {
            auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && message->type == xembed)
                codes.push_back(message->data.data32[1]);
            std::free(event);
        }
        return codes;
    }
    bool isMapped() { return windowIsMapped(connection, window); }

    int removals{0};

private:
    Announcement announcement;
    xcb_connection_t* connection;
    xcb_window_t window{0};
};
} // namespace

TEST(XEmbedHost, EmbedsOnlyWindowsThatAnnounceTheProtocolAndTellsThemSo)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
    X11PlugViewHost host;
    ASSERT_TRUE(host.isConnected());
    for (auto refused : {Announcement::None, Announcement::WrongType, Announcement::AlreadyMapped})
    {
        IPtr<ChildWindowView> view(new ChildWindowView(refused), false);
        EXPECT_FALSE(host.attach(view)) << static_cast<int>(refused);
        EXPECT_FALSE(host.lastError().empty());
        EXPECT_EQ(view->removals, 1) << "a refused view is removed again";
        EXPECT_FALSE(host.isAttached());
        EXPECT_EQ(view->getRefCount(), 1);
    }

    IPtr<ChildWindowView> view(new ChildWindowView(Announcement::Proper), false);
    ASSERT_TRUE(host.attach(view)) << host.lastError();
    EXPECT_TRUE(host.lastError().empty());
    // A round trip of the view's own, after which all the host sent has come.
    EXPECT_TRUE(view->isMapped()) << "the host maps what it embeds";
    // Embedded, window activated, focus in.
    EXPECT_EQ(view->receivedMessages(), (std::vector<uint32_t>{0, 1, 4}));
    host.detach();
}
