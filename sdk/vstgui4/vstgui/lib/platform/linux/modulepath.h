// Finding the plug-in module's file and its bundle's resource folder.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <string>

namespace VSTGUI
{

// The file the module was loaded from: from the dlopen handle when there is
// one, else from the address of this library's own code (which is linked into
// the module). Empty when neither tells.
std::string findModuleFile(PlatformInstanceHandle instance);

// ".../X.vst3/Contents/x86_64-linux/X.so" gives ".../X.vst3/Contents/Resources":
// the folder two levels above the module file, plus "Resources".
std::string bundleResourceFolder(const std::string& moduleFile);

} // namespace VSTGUI
