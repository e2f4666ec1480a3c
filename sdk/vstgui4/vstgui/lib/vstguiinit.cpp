#include "vstgui/lib/vstguiinit.h"

#include "vstgui/lib/platform/platformfactory.h"
#if defined(_WIN32)
#include "vstgui/lib/platform/win32/win32factory.h"
#elif defined(__linux__)
#include "vstgui/lib/platform/linux/linuxfactory.h"
#endif
#include <memory>

namespace VSTGUI
{

namespace
{
std::unique_ptr<IPlatformFactory> makeFactory(PlatformInstanceHandle instance, bool inModule)
{
#if defined(_WIN32)
    return std::make_unique<Win32Factory>(instance, inModule);
#elif defined(__linux__)
    return std::make_unique<LinuxFactory>(instance, inModule);
#else
#error "No platform factory for this operating system yet"
#endif
}

std::unique_ptr<IPlatformFactory>& current()
{
    static std::unique_ptr<IPlatformFactory> factory;
    return factory;
}
} // namespace

void init(PlatformInstanceHandle instance)
{
    current() = makeFactory(instance, true);
}

void exit()
{
    current().reset();
}

const IPlatformFactory& getPlatformFactory()
{
    auto& factory = current();
    if (!factory)
        factory = makeFactory(nullptr, false);
    return *factory;
}

} // namespace VSTGUI
