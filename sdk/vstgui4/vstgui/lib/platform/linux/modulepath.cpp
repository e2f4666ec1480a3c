#include "vstgui/lib/platform/linux/modulepath.h"

#include <dlfcn.h>
#include <link.h>

namespace VSTGUI
{

namespace
{
void anchorInThisModule() {}

std::string parentOf(const std::string& path)
{
    auto end = path.find_last_not_of('/');
    if (end == std::string::npos)
        return {};
    auto slash = path.rfind('/', end);
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash == 0 ? 1 : slash);
}
} // namespace

std::string findModuleFile(PlatformInstanceHandle instance)
{
    if (instance)
    {
        link_map* map = nullptr;
        if (dlinfo(instance, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
            return map->l_name;
    }
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&anchorInThisModule), &info) && info.dli_fname)
        return info.dli_fname;
    return {};
}

std::string bundleResourceFolder(const std::string& moduleFile)
{
    auto contents = parentOf(parentOf(moduleFile));
    if (contents.empty())
        return {};
    if (contents.back() != '/')
        contents += '/';
    return contents + "Resources";
}

} // namespace VSTGUI
