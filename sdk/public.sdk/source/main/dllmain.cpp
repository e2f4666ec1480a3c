// The Windows module entry points: DllMain keeps the module handle and
// folder; the host calls InitDll after loading and ExitDll before unloading,
// both counted.
#include "pluginterfaces/base/fplatform.h"

#if SMTG_OS_WINDOWS

#include "public.sdk/source/main/moduleinit.h"

#include <windows.h>

HINSTANCE ghInst = nullptr;
// The module's folder, with a trailing backslash.
wchar_t gPath[MAX_PATH] = {0};

extern "C"
{

    BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID /*lpvReserved*/)
    {
        if (dwReason == DLL_PROCESS_ATTACH)
        {
            ghInst = hInst;
            const DWORD length = GetModuleFileNameW(hInst, gPath, MAX_PATH);
            if (length == 0 || length >= MAX_PATH)
                gPath[0] = 0;
            else if (wchar_t* slash = wcsrchr(gPath, L'\\'))
                slash[1] = 0;
        }
        return TRUE;
    }

    SMTG_EXPORT_SYMBOL bool InitDll()
    {
        return Steinberg::ModuleEntryDetail::enter(ghInst);
    }

    SMTG_EXPORT_SYMBOL bool ExitDll()
    {
        return Steinberg::ModuleEntryDetail::leave();
    }

} // extern "C"

#endif
