#include "hostkit/platform/module_library.h"

#include "hostkit/platform/module_platform.h"

namespace ferrulith::host
{

std::string moduleFileInBundle(const std::string& bundlePath)
{
    if (!platform::isDirectory(bundlePath))
        return bundlePath;
    std::string folder = bundlePath;
    while (folder.size() > 1 && platform::isSeparator(folder.back()))
        folder.pop_back();
    size_t start = folder.size();
    while (start > 0 && !platform::isSeparator(folder[start - 1]))
        --start;
    std::string name = folder.substr(start);
    const std::string suffix = ".vst3";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    const std::string separator(1, platform::kSeparator);
    return folder + separator + "Contents" + separator + platform::kArchitectureFolder + separator +
           name + platform::kBinaryExtension;
}

ModuleLibrary::~ModuleLibrary()
{
    close();
}

bool ModuleLibrary::open(const std::string& moduleFile, std::string& error)
{
    close();
    std::string reason;
    handle = platform::loadLibrary(moduleFile, reason);
    if (!handle)
    {
        error = "cannot load " + moduleFile + ": " + reason;
        return false;
    }
    getFactory = reinterpret_cast<GetFactoryFunction>(
        platform::exportedFunction(handle, "GetPluginFactory"));
    const bool hasEntry = platform::exportedFunction(handle, platform::kEntryName) != nullptr;
    const bool lacksEntry = platform::kEntryRequired && !hasEntry;
    if (lacksEntry || !getFactory)
    {
        error = moduleFile + " does not export " +
                (lacksEntry ? platform::kEntryName : "GetPluginFactory") +
                "; it is not a VST 3 module";
        close();
        return false;
    }
    if (hasEntry && !enter())
    {
        error = "the module " + moduleFile + " refused to start (" + platform::kEntryName +
                " answered false)";
        close();
        return false;
    }
    return true;
}

bool ModuleLibrary::enter()
{
    if (!handle || !platform::callEntry(handle))
        return false;
    ++entries;
    return true;
}

bool ModuleLibrary::exit()
{
    if (entries > 0)
        --entries;
    return handle && platform::callExit(handle);
}

void ModuleLibrary::close()
{
    if (!handle)
        return;
    while (entries > 0)
        exit();
    getFactory = nullptr;
    platform::unloadLibrary(handle);
    handle = nullptr;
}

} // namespace ferrulith::host
