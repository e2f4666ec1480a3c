#include "hostkit/platform/module_library.h"
#include "hostkit/platform/module_platform.h"
#include "hostkit/win32/wide_text.h"

#include <windows.h>

namespace ferrulith::host
{

namespace
{

using InitDllFunction = bool (*)();
using ExitDllFunction = bool (*)();

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

} // namespace

namespace platform
{

// The DLL carries the bundle's own name, ".vst3" included.
const char* const kArchitectureFolder = "x86_64-win";
const char* const kBinaryExtension = ".vst3";
const char kSeparator = '\\';

// Forward slashes are what build tools write.
bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(windowsPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
