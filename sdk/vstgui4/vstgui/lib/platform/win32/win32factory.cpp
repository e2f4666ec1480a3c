#include "vstgui/lib/platform/win32/win32factory.h"

#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/platform/iplatformbitmap.h"
#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/win32/win32modulepath.h"
#include "vstgui/lib/platform/win32/win32resourceinputstream.h"
#include "vstgui/lib/platform/win32/win32strings.h"

#include <windows.h>

namespace VSTGUI
{

namespace
{
bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// Resource names come from the plug-in's own files; still, a name must not
// reach outside the resource folder: no drive, no root, no "..", no stream
// name after a colon.
bool isSafeResourceName(const std::wstring& name)
{
    if (name.empty() || isSeparator(name[0]) || name.find(L':') != std::wstring::npos)
        return false;
    size_t start = 0;
    while (start <= name.size())
    {
        size_t end = start;
        while (end < name.size() && !isSeparator(name[end]))
            ++end;
        if (name.compare(start, end - start, L"..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}
} // namespace

Win32Factory::Win32Factory(PlatformInstanceHandle instance, bool findResourceFolder)
{
    if (findResourceFolder)
        setResourceFolder(bundleResourceFolder(findModuleFile(instance)));
}

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
        return Win32ResourceInputStream::open(resourceFolder + L'\\' + name);
    }
    catch (...)
    {
        return {};
    }
}

std::shared_ptr<IPlatformBitmap> Win32Factory::createBitmap(const CResourceDescription&,
                                                            uint64_t) const noexcept
{
    return nullptr;
}

std::unique_ptr<IPlatformFrame> Win32Factory::createFrame(IPlatformFrameCallback*, const CRect&,
                                                          void*, PlatformType,
                                                          IPlatformFrameConfig*) const noexcept
{
    return nullptr;
}

PNGBitmapBuffer
Win32Factory::createBitmapMemoryPNGRepresentation(const PlatformBitmapPtr&) const noexcept
{
    return {};
}

std::unique_ptr<IPlatformOffscreen> Win32Factory::createOffscreen(int32_t, int32_t) const noexcept
{
    return nullptr;
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
    // "C:\" keeps its separator; any other folder loses its trailing ones.
    while (folder.size() > 1 && isSeparator(folder.back()) &&
           !(folder.size() == 3 && folder[1] == L':'))
        folder.pop_back();
    resourceFolder = std::move(folder);
}

} // namespace VSTGUI
