#include "vstgui/lib/platform/linux/linuxfactory.h"

#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/common/fileresourceinputstream.h"
#include "vstgui/lib/platform/linux/modulepath.h"
#include <chrono>
#include <cstring>

namespace VSTGUI
{

namespace
{
// Resource names come from the plug-in's own files; still, a name must not
// reach outside the resource folder.
bool isSafeResourceName(const char* name)
{
    if (!name || !*name || name[0] == '/')
        return false;
    const char* part = name;
    while (part)
    {
        const char* slash = std::strchr(part, '/');
        size_t length = slash ? static_cast<size_t>(slash - part) : std::strlen(part);
        if (length == 2 && part[0] == '.' && part[1] == '.')
            return false;
        part = slash ? slash + 1 : nullptr;
    }
    return true;
}
} // namespace

LinuxFactory::LinuxFactory(PlatformInstanceHandle instance, bool findResourceFolder)
{
    if (findResourceFolder)
    {
        setResourcePath(bundleResourceFolder(findModuleFile(instance)));
        keepDrawingLibrariesLoaded();
    }
}

uint64_t LinuxFactory::getTicks() const noexcept
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

PlatformResourceInputStreamPtr
LinuxFactory::createResourceInputStream(const CResourceDescription& desc) const noexcept
{
    try
    {
        if (desc.type != CResourceDescription::kStringType || resourcePath.empty() ||
            !isSafeResourceName(desc.u.name))
            return {};
        return FileResourceInputStream::adopt(
            std::fopen((resourcePath + "/" + desc.u.name).c_str(), "rb"));
    }
    catch (...)
    {
        return {};
    }
}

void LinuxFactory::setResourcePath(const std::string& path) const noexcept
{
    try
    {
        resourcePath = path;
        while (resourcePath.size() > 1 && resourcePath.back() == '/')
            resourcePath.pop_back();
    }
    catch (...)
    {
        resourcePath.clear();
    }
}

std::string LinuxFactory::getResourcePath() const
{
    return resourcePath;
}

} // namespace VSTGUI
