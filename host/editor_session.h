#pragma once

// Opening a plug-in's editor the way a desktop host does: the view the
// controller creates for "editor", in a window of the host's, served by the
// host's run loop.

#include "hostkit/plugin_instance.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace ferrulith::host
{

struct EditorOptions
{
    // Close the window after this long; open until the user closes it when empty.
    std::optional<double> seconds;
    // Save what the window shows to this PNG file once the editor has drawn.
    std::string pictureFile;
    // Close as soon as the picture is saved.
    bool closeAfterPicture = false;
};

// Opens the editor and serves it until the window closes or the time is up.
// Throws HostError when the plug-in has no editor for X11 or no display can
// be reached.
void runEditor(PluginInstance& instance, const EditorOptions& options, std::ostream& out);

} // namespace ferrulith::host
