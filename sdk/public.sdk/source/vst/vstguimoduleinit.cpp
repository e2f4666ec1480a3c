// The editor library lives from the host's first entry into the module to its
// last exit; its resource folder is the one of the bundle the module came from.
#include "public.sdk/source/main/moduleinit.h"
#include "vstgui/lib/vstguiinit.h"

namespace
{
Steinberg::ModuleInitializer
    startEditorLibrary([] { VSTGUI::init(Steinberg::getPlatformModuleHandle()); });
Steinberg::ModuleTerminator stopEditorLibrary([] { VSTGUI::exit(); });
} // namespace
