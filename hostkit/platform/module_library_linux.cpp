#include "hostkit/platform/module_library.h"
#include "hostkit/platform/module_platform.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace ferrulith::host
{

namespace
{

using ModuleEntryFunction = bool (*)(void*);
using ModuleExitFunction = bool (*)();

} // namespace

namespace platform
{

const char* const kArchitectureFolder =
#if defined(__x86_64__)
    "x86_64-linux";
#elif defined(__aarch64__)
    "aarch64-linux";
#elif defined(__i386__)
    "i386-linux";
#else
    "unknown-linux";
#endif

const char* const kBinaryExtension = ".so";
const char kSeparator = '/';

bool isSeparator(char c)
{
    return c == '/';
}

bool isDirectory(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

const char* const kEntryName = "ModuleEntry";
const bool kEntryRequired = true;

void* loadLibrary(const std::string& file, std::string& reason)
{
    // RTLD_LOCAL keeps the module's symbols out of the host's namespace, so a
    // module carrying its own copy of a library cannot clash with ours.
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        const char* text = dlerror();
        reason = text ? text : "unknown reason";
    }
    return library;
}

void unloadLibrary(void* library)
{
    dlclose(library);
}

void* exportedFunction(void* library, const char* name)
{
    return dlsym(library, name);
}

bool callEntry(void* library)
{
    auto entry = reinterpret_cast<ModuleEntryFunction>(dlsym(library, kEntryName));
    return entry && entry(library);
}

bool callExit(void* library)
{
    auto exit = reinterpret_cast<ModuleExitFunction>(dlsym(library, "ModuleExit"));
    return exit && exit();
}

} // namespace platform
} // namespace ferrulith::host
