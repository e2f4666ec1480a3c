#include "platform/editor_window_x11.h"

#include <cairo.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace ferrulith::host
{

struct EditorWindow::Connection
{
    xcb_connection_t* xcb = nullptr;
    xcb_screen_t* screen = nullptr;
    ~Connection()
    {
        if (xcb)
            xcb_disconnect(xcb);
    }
};

namespace
{

xcb_atom_t internAtom(xcb_connection_t* xcb, const char* name)
{
    auto cookie = xcb_intern_atom(xcb, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(xcb, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The ICCCM WM_NORMAL_HINTS record: flags, then position, size, minimum and
// maximum size, increments, aspect ratios, base size and gravity.
struct SizeHints
{
    uint32_t flags = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t minWidth = 0, minHeight = 0;
    int32_t maxWidth = 0, maxHeight = 0;
    int32_t widthInc = 0, heightInc = 0;
    int32_t minAspectNum = 0, minAspectDen = 0, maxAspectNum = 0, maxAspectDen = 0;
    int32_t baseWidth = 0, baseHeight = 0;
    uint32_t gravity = 0;
};
constexpr uint32_t kHintMinSize = 1u << 4;
constexpr uint32_t kHintMaxSize = 1u << 5;

} // namespace

std::unique_ptr<EditorWindow> EditorWindow::open(int width, int height, const std::string& title,
                                                 std::string& error)
{
    if (width <= 0 || height <= 0)
    {
        error = "the editor asks for an empty window";
        return nullptr;
    }
    std::unique_ptr<EditorWindow> result(new EditorWindow);
    result->connection = std::make_unique<Connection>();
    Connection& c = *result->connection;
    int screenNumber = 0;
    c.xcb = xcb_connect(nullptr, &screenNumber);
    if (!c.xcb || xcb_connection_has_error(c.xcb))
    {
        error = "cannot reach an X display (is DISPLAY set?)";
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c.xcb));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    c.screen = screens.data;
    if (!c.screen)
    {
        error = "the X display has no screen";
        return nullptr;
    }

    result->window = xcb_generate_id(c.xcb);
    result->width = width;
    result->height = height;
    const uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK;
    const uint32_t values[] = {c.screen->black_pixel,
                               XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(c.xcb, XCB_COPY_FROM_PARENT, result->window, c.screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, c.screen->root_visual, mask, values);
    xcb_change_property(c.xcb, XCB_PROP_MODE_REPLACE, result->window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, static_cast<uint32_t>(title.size()), title.data());

    // Ask to be told, rather than killed, when the user closes the window.
    result->protocolsAtom = internAtom(c.xcb, "WM_PROTOCOLS");
    result->deleteAtom = internAtom(c.xcb, "WM_DELETE_WINDOW");
    if (result->protocolsAtom != XCB_ATOM_NONE && result->deleteAtom != XCB_ATOM_NONE)
        xcb_change_property(c.xcb, XCB_PROP_MODE_REPLACE, result->window, result->protocolsAtom,
                            XCB_ATOM_ATOM, 32, 1, &result->deleteAtom);

    xcb_map_window(c.xcb, result->window);
    xcb_flush(c.xcb);
    return result;
}

EditorWindow::~EditorWindow()
{
    if (connection && connection->xcb && window)
    {
        xcb_destroy_window(connection->xcb, window);
        xcb_flush(connection->xcb);
    }
}

int EditorWindow::fd() const
{
    return xcb_get_file_descriptor(connection->xcb);
}

bool EditorWindow::resize(int newWidth, int newHeight)
{
    if (newWidth <= 0 || newHeight <= 0 || newWidth > 0xFFFF || newHeight > 0xFFFF)
        return false;
    const uint32_t values[] = {static_cast<uint32_t>(newWidth), static_cast<uint32_t>(newHeight)};
    xcb_configure_window(connection->xcb, window,
                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(connection->xcb);
    width = newWidth;
    height = newHeight;
    return true;
}

void EditorWindow::setSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight)
{
    SizeHints hints;
    hints.flags = kHintMinSize | kHintMaxSize;
    hints.minWidth = minWidth;
    hints.minHeight = minHeight;
    hints.maxWidth = maxWidth;
    hints.maxHeight = maxHeight;
    xcb_change_property(connection->xcb, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, sizeof hints / 4, &hints);
    xcb_flush(connection->xcb);
}

bool EditorWindow::handleEvents()
{
    xcb_connection_t* xcb = connection->xcb;
    while (xcb_generic_event_t* event = xcb_poll_for_event(xcb))
    {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE)
        {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->type == protocolsAtom && message->data.data32[0] == deleteAtom)
                closed = true;
        }
        else if (type == XCB_DESTROY_NOTIFY)
        {
            const auto* destroyed = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
            if (destroyed->window == window)
                closed = true;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(xcb))
        closed = true;
    return !closed;
}

void EditorWindow::sync()
{
    std::free(
        xcb_get_input_focus_reply(connection->xcb, xcb_get_input_focus(connection->xcb), nullptr));
}

bool EditorWindow::writePNG(const std::string& path, std::string& error)
{
    xcb_connection_t* xcb = connection->xcb;
    auto cookie = xcb_get_image(xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(xcb, cookie, nullptr);
    if (!reply)
    {
        error = "the X server would not hand out the window's picture";
        return false;
    }
    // A 24-bit TrueColor window arrives as 32-bit words 0x00RRGGBB, the layout
    // cairo calls RGB24.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    const auto length = static_cast<std::size_t>(xcb_get_image_data_length(reply));
    if ((reply->depth != 24 && reply->depth != 32) ||
        length < static_cast<std::size_t>(stride) * static_cast<std::size_t>(height))
    {
        std::free(reply);
        error = "the window's pixel format is not 24-bit colour";
        return false;
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        xcb_get_image_data(reply), CAIRO_FORMAT_RGB24, width, height, stride);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    std::free(reply);
    if (!written)
        error = "cannot write " + path;
    return written;
}

} // namespace ferrulith::host
