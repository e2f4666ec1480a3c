#include "vstgui/lib/platform/win32/win32modulepath.h"

#include <windows.h>

namespace VSTGUI
{

namespace
{
void anchorInThisModule() {}

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The folder that holds path, without a trailing separator except at a root
// ("C:\"). Empty when path names no folder.
std::wstring parentOf(const std::wstring& path)
{
    size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    while (end > 0 && !isSeparator(path[end - 1]))
        --end;
    if (end == 0)
        return {};
    size_t keep = end;
    while (keep > 1 && isSeparator(path[keep - 1]))
        --keep;
    // "C:\" keeps its separator: "C:" alone names the drive's current folder.
    if (keep == 2 && path[1] == L':')
        keep = 3;
    return path.substr(0, keep);
}
} // namespace

std::wstring findModuleFile(PlatformInstanceHandle instance)
{
    HMODULE module = static_cast<HMODULE>(instance);
    if (!module && !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                       reinterpret_cast<LPCWSTR>(&anchorInThisModule), &module))
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
    if (!isSeparator(contents.back()))
        contents += L'\\';
    return contents + L"Resources";
}

} // namespace VSTGUI
