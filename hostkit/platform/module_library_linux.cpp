#include "hostkit/platform/module_library.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace ferrulith::host
{

namespace
{

// The folder name under Contents/ that holds the binary for this machine.
constexpr const char* kArchitectureFolder =
#if defined(__x86_64__)
    "x86_64-linux";
#elif defined(__aarch64__)
    "aarch64-linux";
#elif defined(__i386__)
    "i386-linux";
#else
    "unknown-linux";
#endif

using ModuleEntryFunction = bool (*)(void*);
using ModuleExitFunction = bool (*)();

bool isDirectory(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string lastPathComponent(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string moduleFileInBundle(const std::string& bundlePath)
{
    if (!isDirectory(bundlePath))
        return bundlePath;
    std::string name = lastPathComponent(bundlePath);
    const std::string suffix = ".vst3";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    std::string folder = bundlePath;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + "/Contents/" + kArchitectureFolder + "/" + name + ".so";
}

ModuleLibrary::~ModuleLibrary()
{
    close();
}

bool ModuleLibrary::open(const std::string& moduleFile, std::string& error)
{
    close();
    // RTLD_LOCAL keeps the module's symbols out of the host's namespace, so a
    // module carrying its own copy of a library cannot clash with ours.
    handle = dlopen(moduleFile.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* reason = dlerror();
        error = "cannot load " + moduleFile + ": " + (reason ? reason : "unknown reason");
        return false;
    }
    auto entry = reinterpret_cast<ModuleEntryFunction>(dlsym(handle, "ModuleEntry"));
    getFactory = reinterpret_cast<GetFactoryFunction>(dlsym(handle, "GetPluginFactory"));
    if (!entry || !getFactory)
    {
        error = moduleFile + " does not export " + (entry ? "GetPluginFactory" : "ModuleEntry") +
                "; it is not a VST 3 module";
        close();
        return false;
    }
    if (!enter())
    {
        error = "the module " + moduleFile + " refused to start (ModuleEntry answered false)";
        close();
        return false;
    }
    return true;
}

bool ModuleLibrary::enter()
{
    auto entry =
        handle ? reinterpret_cast<ModuleEntryFunction>(dlsym(handle, "ModuleEntry")) : nullptr;
    if (!entry || !entry(handle))
        return false;
    ++entries;
    return true;
}

bool ModuleLibrary::exit()
{
    if (entries > 0)
        --entries;
    auto exitHook =
        handle ? reinterpret_cast<ModuleExitFunction>(dlsym(handle, "ModuleExit")) : nullptr;
    return exitHook && exitHook();
}

void ModuleLibrary::close()
{
    if (!handle)
        return;
    while (entries > 0)
        exit();
    getFactory = nullptr;
    dlclose(handle);
    handle = nullptr;
}

} // namespace ferrulith::host
