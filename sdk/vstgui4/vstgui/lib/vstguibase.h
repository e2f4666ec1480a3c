// Basic types shared by the whole editor library.
#pragma once

#include <cstdint>

namespace VSTGUI
{

using UTF8StringPtr = const char*;
using CCoord = double;

// The module handle VSTGUI is initialised with: on Linux the handle dlopen gave
// for the plug-in module, on Windows its HINSTANCE (or null, then the library
// finds its module itself).
using PlatformInstanceHandle = void*;

} // namespace VSTGUI
