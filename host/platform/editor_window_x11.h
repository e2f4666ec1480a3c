#pragma once

// A top-level X11 window that holds a plug-in's editor: the editor attaches
// its own child window to it (X11EmbedWindowID). The host reads this window's
// events on its own connection, sees the user close it, and can save what it
// shows as a PNG picture.

#include <cstdint>
#include <memory>
#include <string>

namespace ferrulith::host
{

class EditorWindow
{
public:
    // Null, with the reason in `error`, when no X display can be reached.
    static std::unique_ptr<EditorWindow> open(int width, int height, const std::string& title,
                                              std::string& error);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // The window identifier a view is attached to.
    std::uint32_t id() const { return window; }
    // The connection's descriptor, readable when events are waiting.
    int fd() const;

    bool resize(int width, int height);
    // The window manager keeps the window between these sizes.
    void setSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight);

    // Reads every waiting event. False once the user has closed the window or
    // the display has gone.
    bool handleEvents();
    // Waits until the server has processed every request so far.
    void sync();

    // Saves the window's contents, the editor's child window included.
    bool writePNG(const std::string& path, std::string& error);

private:
    EditorWindow() = default;

    struct Connection;
    std::unique_ptr<Connection> connection;
    std::uint32_t window = 0;
    std::uint32_t deleteAtom = 0;
    std::uint32_t protocolsAtom = 0;
    int width = 0;
    int height = 0;
    bool closed = false;
};

} // namespace ferrulith::host
