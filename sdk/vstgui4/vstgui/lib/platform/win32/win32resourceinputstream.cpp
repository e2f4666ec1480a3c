#include "vstgui/lib/platform/win32/win32resourceinputstream.h"

#include <sys/stat.h>

namespace VSTGUI
{

PlatformResourceInputStreamPtr Win32ResourceInputStream::open(const std::wstring& path)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return {};
    struct _stat64 info = {};
    if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG)
    {
        std::fclose(file);
        return {};
    }
    return PlatformResourceInputStreamPtr(new Win32ResourceInputStream(file));
}

Win32ResourceInputStream::~Win32ResourceInputStream() noexcept
{
    std::fclose(file);
}

uint32_t Win32ResourceInputStream::readRaw(void* buffer, uint32_t size)
{
    if (!buffer && size > 0)
        return kStreamIOError;
    size_t count = std::fread(buffer, 1, size, file);
    if (count < size && std::ferror(file))
        return kStreamIOError;
    return static_cast<uint32_t>(count);
}

int64_t Win32ResourceInputStream::seek(int64_t pos, SeekMode mode)
{
    int whence = mode == SeekMode::Set ? SEEK_SET : mode == SeekMode::Current ? SEEK_CUR : SEEK_END;
    if (_fseeki64(file, pos, whence) != 0)
        return kStreamSeekError;
    return tell();
}

int64_t Win32ResourceInputStream::tell()
{
    const int64_t pos = _ftelli64(file);
    return pos < 0 ? kStreamSeekError : pos;
}

} // namespace VSTGUI
