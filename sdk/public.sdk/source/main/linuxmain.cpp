// The Linux module entry points. A host calls ModuleEntry with its dlopen
// handle before anything else and ModuleExit before dlclose; both may be
// called several times and are counted.
#include "pluginterfaces/base/fplatform.h"

#if SMTG_OS_LINUX

#include "public.sdk/source/main/moduleinit.h"

extern "C"
{

    SMTG_EXPORT_SYMBOL bool ModuleEntry(void* sharedLibraryHandle)
    {
        return Steinberg::ModuleEntryDetail::enter(sharedLibraryHandle);
    }

    SMTG_EXPORT_SYMBOL bool ModuleExit(void)
    {
        return Steinberg::ModuleEntryDetail::leave();
    }

} // extern "C"

#endif
