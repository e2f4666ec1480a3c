#include "vstgui/lib/platform/win32/win32factory.h"

#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/common/fileresourceinputstream.h"
#include "vstgui/lib/platform/win32/win32graphics.h"
#include "vstgui/lib/platform/win32/win32modulepath.h"
#include "vstgui/lib/platform/win32/win32strings.h"

#include <windows.h>

namespace VSTGUI
{

namespace
{
// Resource names come from the plug-in's own files; still, a name must not
// reach outside the resource folder: no drive, no root, no "..", no stream
// name after a colon.
bool isSafeResourceName(const std::wstring& name)
{
    if (name.empty() || isPathSeparator(name[0]) || name.find(L':') != std::wstring::npos)
        return false;
    size_t start = 0;
    while (start <= name.size())
    {
        size_t end = start;
        while (end < name.size() && !isPathSeparator(name[end]))
            ++end;
        if (name.compare(start, end - start, L"..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}
} // namespace

Win32Factory::Win32Factory(PlatformInstanceHandle instance, bool findResourceFolder)
    : graphics(std::make_unique<Graphics>(findModuleHandle(instance)))
{
    if (findResourceFolder)
        setResourceFolder(bundleResourceFolder(findModuleFile(instance)));
}

Win32Factory::~Win32Factory() noexcept = default;

uint64_t Win32Factory::getTicks() const noexcept
{
    return GetTickCount64();
}

PlatformResourceInputStreamPtr
Win32Factory::createResourceInputStream(const CResourceDescription& desc) const noexcept
{
    try
    {
        if (desc.type != CResourceDescription::kStringType || resourceFolder.empty() ||
            !desc.u.name)
            return {};
        const std::wstring name = utf16FromUtf8(desc.u.name);
        if (!isSafeResourceName(name))
            return {};
        return FileResourceInputStream::adopt(
            _wfopen((resourceFolder + L'\\' + name).c_str(), L"rb"));
    }
    catch (...)
    {
        return {};
    }
}

void Win32Factory::setResourcePath(const std::string& path) const noexcept
{
    try
    {
        setResourceFolder(utf16FromUtf8(path));
    }
    catch (...)
    {
        resourceFolder.clear();
    }
}

std::string Win32Factory::getResourcePath() const
{
    return utf8FromUtf16(resourceFolder);
}

void Win32Factory::setResourceFolder(std::wstring folder) const noexcept
{
    resourceFolder = withoutTrailingSeparators(std::move(folder));
}

} // namespace VSTGUI
