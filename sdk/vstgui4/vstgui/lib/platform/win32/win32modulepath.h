// Finding the plug-in module's file and its bundle's resource folder.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <string>

namespace VSTGUI
{

// instance (an HINSTANCE), or without one, the module that holds this
// library's code. Null when Windows cannot tell.
PlatformInstanceHandle findModuleHandle(PlatformInstanceHandle instance);

// The file the module was loaded from: the one of instance (an HINSTANCE),
// or without one, the module that holds this library's code. Empty when
// Windows cannot tell.
std::wstring findModuleFile(PlatformInstanceHandle instance);

// Windows takes both '\' and '/' between the parts of a path.
bool isPathSeparator(wchar_t c);

// The folder without trailing separators, except the one of a drive's root
// ("C:\"): "C:" alone names the drive's current folder.
std::wstring withoutTrailingSeparators(std::wstring folder);

// "...\X.vst3\Contents\x86_64-win\X.vst3" gives "...\X.vst3\Contents\Resources":
// the folder two levels above the module file, plus "\Resources".
std::wstring bundleResourceFolder(const std::wstring& moduleFile);

} // namespace VSTGUI
