#include "hostkit/platform/module_library.h"
#include "hostkit/platform/module_platform.h"
#include "hostkit/win32/wide_text.h"

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

// LoadLibrary wants backslashes; forward slashes are what build tools write.
std::wstring windowsPath(const std::string& path)
{
    std::wstring result = wideText(path);
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

namespace platform
{

const char* const kEntryName = "InitDll";
// Hosts call InitDll when the module has it.
const bool kEntryRequired = false;

void* loadLibrary(const std::string& file, std::string& reason)
{
    // No dialog boxes: a module that cannot be loaded is reported, not shown.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryW(windowsPath(file).c_str());
    const DWORD failure = GetLastError();
    SetErrorMode(previousMode);
    if (!library)
        reason = systemMessage(failure);
    return library;
}

void unloadLibrary(void* library)
{
    FreeLibrary(static_cast<HMODULE>(library));
}

void* exportedFunction(void* library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

bool callEntry(void* library)
{
    auto initDll = reinterpret_cast<InitDllFunction>(exportedFunction(library, kEntryName));
    return initDll && initDll();
}

bool callExit(void* library)
{
    auto exitDll = reinterpret_cast<ExitDllFunction>(exportedFunction(library, "ExitDll"));
    return exitDll && exitDll();
}

} // namespace platform
} // namespace ferrulith::host
