// Finding the plug-in module's file and its bundle's resource folder.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <string>

namespace VSTGUI
{

// The file the module was loaded from: the one of instance (an HINSTANCE),
// or without one, the module that holds this library's code. Empty when
// Windows cannot tell.
std::wstring findModuleFile(PlatformInstanceHandle instance);

// "...\X.vst3\Contents\x86_64-win\X.vst3" gives "...\X.vst3\Contents\Resources":
// the folder two levels above the module file, plus "\Resources".
std::wstring bundleResourceFolder(const std::wstring& moduleFile);

} // namespace VSTGUI
