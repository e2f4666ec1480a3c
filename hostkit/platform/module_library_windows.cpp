#include "hostkit/platform/module_library.h"

#include <windows.h>

namespace ferrulith::host
{

namespace
{

// The folder under Contents\ that holds the DLL for this machine; the DLL
// carries the bundle's own name, ".vst3" included.
constexpr const char* kArchitectureFolder = "x86_64-win";

using InitDllFunction = bool (*)();
using ExitDllFunction = bool (*)();

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

std::wstring utf16(const std::string& text)
{
    if (text.empty())
        return {};
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(count > 0 ? count : 0), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                            count);
    return result;
}

// LoadLibrary wants backslashes; forward slashes are what build tools write.
std::wstring windowsPath(const std::string& path)
{
    std::wstring result = utf16(path);
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    return result;
}

std::string systemMessage(DWORD code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(windowsPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

template <typename Function> Function exported(void* handle, const char* name)
{
    if (!handle)
        return nullptr;
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
    size_t start = folder.size();
    while (start > 0 && !isSeparator(folder[start - 1]))
        --start;
    std::string name = folder.substr(start);
    const std::string suffix = ".vst3";
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        name.erase(name.size() - suffix.size());
    return folder + "\\Contents\\" + kArchitectureFolder + "\\" + name + ".vst3";
}

ModuleLibrary::~ModuleLibrary()
{
    close();
}

bool ModuleLibrary::open(const std::string& moduleFile, std::string& error)
{
    close();
    // No dialog boxes: a module that cannot be loaded is reported, not shown.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle = LoadLibraryW(windowsPath(moduleFile).c_str());
    const DWORD failure = GetLastError();
    SetErrorMode(previousMode);
    if (!handle)
    {
        error = "cannot load " + moduleFile + ": " + systemMessage(failure);
        return false;
    }
    getFactory = exported<GetFactoryFunction>(handle, "GetPluginFactory");
    if (!getFactory)
    {
        error = moduleFile + " does not export GetPluginFactory; it is not a VST 3 module";
        close();
        return false;
    }
    // InitDll is optional on Windows: hosts call it when the module has it.
    if (exported<InitDllFunction>(handle, "InitDll") && !enter())
    {
        error = "the module " + moduleFile + " refused to start (InitDll answered false)";
        close();
        return false;
    }
    return true;
}

bool ModuleLibrary::enter()
{
    auto initDll = exported<InitDllFunction>(handle, "InitDll");
    if (!initDll || !initDll())
        return false;
    ++entries;
    return true;
}

bool ModuleLibrary::exit()
{
    if (entries > 0)
        --entries;
    auto exitDll = exported<ExitDllFunction>(handle, "ExitDll");
    return exitDll && exitDll();
}

void ModuleLibrary::close()
{
    if (!handle)
        return;
    while (entries > 0)
        exit();
    getFactory = nullptr;
    FreeLibrary(static_cast<HMODULE>(handle));
    handle = nullptr;
}

} // namespace ferrulith::host
