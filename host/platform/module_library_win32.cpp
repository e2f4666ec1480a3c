#include "platform/module_library.h"

#include <windows.h>

namespace ferrulith::host
{

namespace
{

// The folder name under Contents\ that holds the binary for this machine.
constexpr const char* kArchitectureFolder =
#if defined(_M_ARM64) || defined(__aarch64__)
    "arm64-win";
#elif defined(_WIN64)
    "x86_64-win";
#else
    "x86-win";
#endif

using ModuleEntryFunction = bool (*)();
using ModuleExitFunction = bool (*)();

std::wstring wide(const std::string& text)
{
    std::wstring result(text.size(), L'\0');
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          result.data(), static_cast<int>(result.size()));
    result.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return result;
}

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string systemMessage(DWORD code)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = text ? text : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

// LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR takes full paths only.
std::wstring fullPath(const std::string& path)
{
    const std::wstring given = wide(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length =
            GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return given;
        if (length < full.size())
        {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

template <class Function> Function exported(void* handle, const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
}

} // namespace

std::string moduleFileInBundle(const std::string& bundlePath)
{
    if (!isDirectory(bundlePath))
        return bundlePath;
    std::string folder = bundlePath;
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.pop_back();
    size_t slash = folder.size();
    while (slash > 0 && !isSeparator(folder[slash - 1]))
        --slash;
    // The module keeps the bundle's name, ".vst3" included.
    return folder + "/Contents/" + kArchitectureFolder + "/" + folder.substr(slash);
}

ModuleLibrary::~ModuleLibrary()
{
    close();
}

bool ModuleLibrary::open(const std::string& moduleFile, std::string& error)
{
    close();
    // The module's own folder is searched for what it imports, as hosts do.
    handle = LoadLibraryExW(fullPath(moduleFile).c_str(), nullptr,
                            LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!handle)
    {
        error = "cannot load " + moduleFile + ": " + systemMessage(GetLastError());
        return false;
    }
    auto entry = exported<ModuleEntryFunction>(handle, "InitDll");
    getFactory = exported<GetFactoryFunction>(handle, "GetPluginFactory");
    if (!getFactory)
    {
        error = moduleFile + " does not export GetPluginFactory; it is not a VST 3 module";
        close();
        return false;
    }
    // InitDll is optional on Windows; a module that has it must agree to start.
    if (entry && !entry())
    {
        error = "the module " + moduleFile + " refused to start (InitDll answered false)";
        close();
        return false;
    }
    entered = entry != nullptr;
    return true;
}

void ModuleLibrary::close()
{
    if (!handle)
        return;
    if (entered)
    {
        if (auto exit = exported<ModuleExitFunction>(handle, "ExitDll"))
            exit();
        entered = false;
    }
    getFactory = nullptr;
    FreeLibrary(static_cast<HMODULE>(handle));
    handle = nullptr;
}

} // namespace ferrulith::host
