#include "vstgui/lib/platform/linux/modulepath.h"

#include <cairo.h>
#include <dlfcn.h>

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

// The file is found from an address inside this code, which always lies in the
// module that holds the editor library; the handle a host passes in is not
// trusted to be a dlopen handle.
std::string findModuleFile(PlatformInstanceHandle /*instance*/)
{
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

void keepDrawingLibrariesLoaded()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&cairo_create), &info) && info.dli_fname)
        dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace VSTGUI
