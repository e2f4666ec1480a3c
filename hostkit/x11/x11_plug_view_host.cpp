#include "hostkit/x11/x11_plug_view_host.h"

#include "hostkit/x11/host_frame.h"
#include "hostkit/x11/xcb_calls.h"
#include "hostkit/x11/xembedder.h"
#include <cairo.h>
#include <chrono>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

namespace ferrulith::host
{

using namespace Steinberg;

struct X11PlugViewHost::Connection
{
    xcb_connection_t* xcb{nullptr};
    xcb_screen_t* screen{nullptr};
    xcb_atom_t protocols{0};
    xcb_atom_t deleteWindow{0};
    std::unique_ptr<XEmbedder> xembed;

    Connection()
    {
        xcb = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(xcb))
            return;
        screen = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data;
        protocols = internAtom(xcb, "WM_PROTOCOLS");
        deleteWindow = internAtom(xcb, "WM_DELETE_WINDOW");
        xembed = std::make_unique<XEmbedder>(xcb);
    }
    ~Connection() { xcb_disconnect(xcb); }
};

X11PlugViewHost::X11PlugViewHost() : connection(std::make_unique<Connection>())
{
    frame = IPtr<HostFrame>(
        new HostFrame(
            [this](int32_t width, int32_t height)
            {
                if (!window || width <= 0 || height <= 0)
                    return false;
                uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
                xcb_configure_window(connection->xcb, window,
                                     XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
                xcb_flush(connection->xcb);
                return true;
            }),
        false);
}

X11PlugViewHost::~X11PlugViewHost()
{
    detach();
}

bool X11PlugViewHost::isConnected() const
{
    return connection->screen != nullptr;
}

size_t X11PlugViewHost::registeredHandlerCount() const
{
    return frame->handlerCount();
}

bool X11PlugViewHost::attach(IPlugView* newView, const std::string& title)
{
    error.clear();
    if (!isConnected())
    {
        error = "no X display";
        return false;
    }
    if (!newView || view)
        return false;
    if (newView->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue)
    {
        error = "the editor does not support X11";
        return false;
    }
    ViewRect size;
    if (newView->getSize(&size) != kResultOk || size.getWidth() <= 0 || size.getHeight() <= 0)
    {
        error = "the editor has no size";
        return false;
    }

    auto* xcb = connection->xcb;
    window = xcb_generate_id(xcb);
    uint32_t values[] = {connection->screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(xcb, XCB_COPY_FROM_PARENT, window, connection->screen->root, 0, 0,
                      static_cast<uint16_t>(size.getWidth()),
                      static_cast<uint16_t>(size.getHeight()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      connection->screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
                      values);
    xcb_change_property(xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(title.size()), title.data());
    xcb_change_property(xcb, XCB_PROP_MODE_REPLACE, window, connection->protocols, XCB_ATOM_ATOM,
                        32, 1, &connection->deleteWindow);
    xcb_map_window(xcb, window);
    // A round trip: the view creates its window inside ours on a connection
    // of its own, which may reach the server first and find no parent.
    roundTrip(xcb);

    newView->setFrame(frame);
    void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window));
    if (newView->attached(parent, kPlatformTypeX11EmbedWindowID) != kResultOk)
    {
        newView->setFrame(nullptr);
        xcb_destroy_window(xcb, window);
        xcb_flush(xcb);
        window = 0;
        error = "the editor would not attach to an X11 window";
        return false;
    }
    view = newView;
    closedByUser = false;
    error = embedViewWindow();
    if (!error.empty())
    {
        detach();
        return false;
    }
    return true;
}

std::string X11PlugViewHost::embedViewWindow()
{
    // The view has created its window inside ours, on its own connection,
    // before attached() returned.
    auto* tree =
        xcb_query_tree_reply(connection->xcb, xcb_query_tree(connection->xcb, window), nullptr);
    std::vector<xcb_window_t> children;
    if (tree)
        children.assign(xcb_query_tree_children(tree),
                        xcb_query_tree_children(tree) + xcb_query_tree_children_length(tree));
    std::free(tree);
    if (children.empty())
        return "the editor created no window inside the host's window";
    for (xcb_window_t child : children)
        if (std::string problem = connection->xembed->check(child); !problem.empty())
            return problem;
    for (xcb_window_t child : children)
        connection->xembed->embed(child, window);
    return {};
}

void X11PlugViewHost::detach()
{
    if (view)
    {
        view->removed();
        view->setFrame(nullptr);
        view = nullptr;
    }
    if (window)
    {
        xcb_destroy_window(connection->xcb, window);
        xcb_flush(connection->xcb);
        window = 0;
    }
}

bool X11PlugViewHost::run(int milliseconds)
{
    using namespace std::chrono;
    auto end = steady_clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    while (window && !closedByUser)
    {
        int left = static_cast<int>(
            duration_cast<std::chrono::milliseconds>(end - steady_clock::now()).count());
        if (milliseconds >= 0 && left <= 0)
            break;
        int wait = milliseconds < 0 ? 100 : std::min(left, 100);
        frame->dispatch(wait, xcb_get_file_descriptor(connection->xcb));
        processOwnEvents();
    }
    return !closedByUser;
}

void X11PlugViewHost::processOwnEvents()
{
    while (auto* event = xcb_poll_for_event(connection->xcb))
    {
        uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CLIENT_MESSAGE)
        {
            auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->data.data32[0] == connection->deleteWindow)
                closedByUser = true;
        }
        else if (type == XCB_CONFIGURE_NOTIFY && view)
        {
            // The window manager or the user resized the window: tell the view.
            auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (configure->window == window)
                followWindowSize(*view, configure->width, configure->height);
        }
        std::free(event);
    }
}

bool X11PlugViewHost::resize(int32_t width, int32_t height)
{
    return resizeAsUser(view, *frame, width, height);
}

bool X11PlugViewHost::capturePNG(const std::string& path)
{
    if (!window || !view)
        return false;
    ViewRect size;
    view->getSize(&size);
    auto cookie = xcb_get_image(connection->xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                static_cast<uint16_t>(size.getWidth()),
                                static_cast<uint16_t>(size.getHeight()), ~0u);
    auto* image = xcb_get_image_reply(connection->xcb, cookie, nullptr);
    if (!image)
        return false;
    bool written = false;
    int stride = size.getWidth() * 4;
    // A 24-bit visual stores each pixel in 32 bits, the layout cairo's RGB24 reads.
    if (image->depth == 24 &&
        xcb_get_image_data_length(image) >= static_cast<int>(stride * size.getHeight()))
    {
        cairo_surface_t* surface =
            cairo_image_surface_create_for_data(xcb_get_image_data(image), CAIRO_FORMAT_RGB24,
                                                size.getWidth(), size.getHeight(), stride);
        written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
    }
    std::free(image);
    return written;
}

} // namespace ferrulith::host
