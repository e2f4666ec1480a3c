#include "vstgui/lib/platform/win32/win32modulepath.h"

#include <windows.h>

namespace VSTGUI
{

namespace
{
void anchorInThisModule() {}

// The folder that holds path, without a trailing separator except at a root
// ("C:\"). Empty when path names no folder.
std::wstring parentOf(const std::wstring& path)
{
    size_t end = path.size();
    while (end > 0 && isPathSeparator(path[end - 1]))
        --end;
    while (end > 0 && !isPathSeparator(path[end - 1]))
        --end;
    if (end == 0)
        return {};
    return withoutTrailingSeparators(path.substr(0, end));
}
} // namespace

bool isPathSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::wstring withoutTrailingSeparators(std::wstring folder)
{
    while (folder.size() > 1 && isPathSeparator(folder.back()) &&
           !(folder.size() == 3 && folder[1] == L':'))
        folder.pop_back();
    return folder;
}

PlatformInstanceHandle findModuleHandle(PlatformInstanceHandle instance)
{
    HMODULE module = static_cast<HMODULE>(instance);
    if (!module && !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                       reinterpret_cast<LPCWSTR>(&anchorInThisModule), &module))
        return nullptr;
    return module;
}

std::wstring findModuleFile(PlatformInstanceHandle instance)
{
    HMODULE module = static_cast<HMODULE>(findModuleHandle(instance));
    if (!module)
        return {};
    // Paths may be longer than MAX_PATH; a full buffer means the name was cut.
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
        {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) // the longest path Windows has
            return {};
        path.resize(path.size() * 2);
    }
}

std::wstring bundleResourceFolder(const std::wstring& moduleFile)
{
    std::wstring contents = parentOf(parentOf(moduleFile));
    if (contents.empty())
        return {};
    if (!isPathSeparator(contents.back()))
        contents += L'\\';
    return contents + L"Resources";
}

} // namespace VSTGUI
