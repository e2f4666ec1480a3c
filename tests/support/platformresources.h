// Points the editor library's platform factory at a resource folder, on
// whichever platform the tests run: Linux and Windows keep the folder in
// their own factories.
#pragma once

#include "vstgui/lib/platform/platformfactory.h"
#if defined(_WIN32)
#include "vstgui/lib/platform/win32/win32factory.h"
#else
#include "vstgui/lib/platform/linux/linuxfactory.h"
#endif

#include <string>

namespace testsupport
{

// The folder resources are opened from (UTF-8); "" means none.
inline void setPlatformResourceFolder(const std::string& folder)
{
#if defined(_WIN32)
    VSTGUI::getPlatformFactory().asWin32Factory()->setResourcePath(folder);
#else
    VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath(folder);
#endif
}

inline std::string platformResourceFolder()
{
#if defined(_WIN32)
    return VSTGUI::getPlatformFactory().asWin32Factory()->getResourcePath();
#else
    return VSTGUI::getPlatformFactory().asLinuxFactory()->getResourcePath();
#endif
}

} // namespace testsupport
