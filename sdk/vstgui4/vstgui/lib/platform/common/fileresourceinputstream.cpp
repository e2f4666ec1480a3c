#include "vstgui/lib/platform/common/fileresourceinputstream.h"

#include <sys/stat.h>

namespace VSTGUI
{

namespace
{
bool isRegularFile(FILE* file)
{
#if defined(_WIN32)
    struct _stat64 info = {};
    return _fstat64(_fileno(file), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
#else
    struct stat info = {};
    return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
#endif
}
} // namespace

PlatformResourceInputStreamPtr FileResourceInputStream::adopt(FILE* file)
{
    if (!file)
        return {};
    if (!isRegularFile(file))
    {
        std::fclose(file);
        return {};
    }
    return PlatformResourceInputStreamPtr(new FileResourceInputStream(file));
}

FileResourceInputStream::~FileResourceInputStream() noexcept
{
    std::fclose(file);
}

uint32_t FileResourceInputStream::readRaw(void* buffer, uint32_t size)
{
    if (!buffer && size > 0)
        return kStreamIOError;
    size_t count = std::fread(buffer, 1, size, file);
    if (count < size && std::ferror(file))
        return kStreamIOError;
    return static_cast<uint32_t>(count);
}

int64_t FileResourceInputStream::seek(int64_t pos, SeekMode mode)
{
    int whence = mode == SeekMode::Set ? SEEK_SET : mode == SeekMode::Current ? SEEK_CUR : SEEK_END;
#if defined(_WIN32)
    const int failed = _fseeki64(file, pos, whence);
#else
    const int failed = fseeko(file, static_cast<off_t>(pos), whence);
#endif
    return failed ? kStreamSeekError : tell();
}

int64_t FileResourceInputStream::tell()
{
#if defined(_WIN32)
    const int64_t pos = _ftelli64(file);
#else
    const int64_t pos = ftello(file);
#endif
    return pos < 0 ? kStreamSeekError : pos;
}

} // namespace VSTGUI
