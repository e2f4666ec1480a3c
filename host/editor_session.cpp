#include "editor_session.h"

#include "hostkit/host_error.h"

#include "pluginterfaces/gui/iplugview.h"
#include "common/plugviewsnapshot.h"
#include "hostkit/x11/x11_plug_view_host.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace ferrulith::host
{

namespace
{

// Time a windowed editor gets to draw itself before its window is captured.
constexpr int kSettleMilliseconds = 400;
// The longest single wait handed to the window's run loop.
constexpr double kLongestWaitMilliseconds = 3600.0 * 1000.0;

// Asks the view to draw itself into the file, which needs no display. False
// when the view offers no such drawing; throws when it offers it and fails.
bool drawViewToPNG(Steinberg::IPlugView& view, const std::string& path)
{
    // Asked by its own identifier: the interface has no iid member.
    void* found = nullptr;
    if (view.queryInterface(quorvelware::IPlugViewSnapshot_iid, &found) != Steinberg::kResultOk ||
        !found)
        return false;
    auto snapshot = VstPtr<quorvelware::IPlugViewSnapshot>::adopt(
        static_cast<quorvelware::IPlugViewSnapshot*>(found));
    if (snapshot->drawToPNG(path.c_str()) != Steinberg::kResultOk)
        throw HostError("the editor could not draw itself into " + path);
    return true;
}

void openWindow(X11PlugViewHost& window, Steinberg::IPlugView& view)
{
    if (!window.isConnected())
        throw HostError("cannot reach an X display (is DISPLAY set?)");
    if (!window.attach(&view))
        throw HostError("the plug-in's editor would not open in an X11 window: " +
                        window.lastError());
}

} // namespace

void runEditor(PluginInstance& instance, const EditorOptions& options, std::ostream& out)
{
    auto view = VstPtr<Steinberg::IPlugView>::adopt(instance.controller()->createView("editor"));
    if (!view)
        throw HostError("the plug-in has no editor");

    bool pictureTaken = options.pictureFile.empty();
    if (!pictureTaken && drawViewToPNG(*view, options.pictureFile))
    {
        out << "Wrote " << options.pictureFile << "\n" << std::flush;
        pictureTaken = true;
    }
    if (pictureTaken && options.closeAfterPicture)
        return;

    // A view that cannot draw itself is pictured through a window, which needs
    // a display like the window itself.
    X11PlugViewHost window;
    openWindow(window, *view);
    Steinberg::ViewRect size;
    view->getSize(&size);
    out << "Editor open: " << size.getWidth() << " x " << size.getHeight() << "\n" << std::flush;

    long long elapsed = 0;
    if (!pictureTaken)
    {
        window.run(kSettleMilliseconds);
        elapsed = kSettleMilliseconds;
        if (!window.capturePNG(options.pictureFile))
            throw HostError("cannot capture the editor's window into " + options.pictureFile);
        out << "Wrote " << options.pictureFile << "\n" << std::flush;
        if (options.closeAfterPicture)
            return;
    }
    if (options.seconds)
    {
        // Any finite time, however long, in waits the run loop can count.
        const double total = std::min(*options.seconds * 1000.0, 9.0e18);
        for (double left = std::round(total) - double(elapsed); left > 0;)
        {
            const int wait = static_cast<int>(std::min(left, kLongestWaitMilliseconds));
            if (!window.run(wait))
                break;
            left -= wait;
        }
    }
    else
    {
        window.run(-1);
    }
}

} // namespace ferrulith::host
