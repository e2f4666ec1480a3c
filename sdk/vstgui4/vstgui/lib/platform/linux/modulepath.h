// Finding the plug-in module's file and its bundle's resource folder.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <string>

namespace VSTGUI
{

// The file the module was loaded from, found from the address of this
// library's own code (which is linked into the module). Empty when the loader
// cannot tell.
std::string findModuleFile(PlatformInstanceHandle instance);

// ".../X.vst3/Contents/x86_64-linux/X.so" gives ".../X.vst3/Contents/Resources":
// the folder two levels above the module file, plus "Resources".
std::string bundleResourceFolder(const std::string& moduleFile);

// Keeps cairo, and the libraries it brings in, loaded for the life of the
// process. Pixman sets up global state in a library constructor that it never
// frees, so every unload of the module would otherwise lose that memory.
void keepDrawingLibrariesLoaded();

} // namespace VSTGUI
