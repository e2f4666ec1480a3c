// Start and end of the editor library's life in a module: init creates the
// process-wide platform factory and finds the bundle's resource folder, exit
// frees them. The module-init hooks of the plug-in SDK call both.
#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI
{

void init(PlatformInstanceHandle instance);
void exit();

} // namespace VSTGUI
