#include "editor_session.h"

#include "hostkit/host_error.h"

#include "pluginterfaces/gui/iplugview.h"
#include "common/plugviewsnapshot.h"
#include "hostkit/platform_view_host.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace ferrulith::host
{

namespace
{

// Time a windowed editor gets to draw itself before its window is captured.
constexpr int kSettleMilliseconds = 400;
#if defined(_WIN32)
constexpr const char* kNoDisplay = "cannot open windows";
#else
constexpr const char* kNoDisplay = "cannot reach an X display (is DISPLAY set?)";
#endif
// The longest single wait handed to the window's run loop.
constexpr double kLongestWaitMilliseconds = 3600.0 * 1000.0;

// Asks the view to draw itself into the file, which needs no display. False
// when the view offers no such drawing; throws when it offers it and fails.
bool drawViewToPNG(Steinberg::IPlugView& view, const std::string& path)
{
    const Steinberg::tresult result = quorvelware::drawPlugViewToPNG(view, path.c_str());
    if (result == Steinberg::kNoInterface)
        return false;
    if (result != Steinberg::kResultOk)
        throw HostError("the editor could not draw itself into " + path);
    return true;
}

void openWindow(PlugViewHost& window, Steinberg::IPlugView& view)
{
    if (!window.isConnected())
        throw HostError(kNoDisplay);
    if (!window.attach(&view))
        throw HostError("the plug-in's editor would not open in a window: " + window.lastError());
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
    PlugViewHost window;
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
