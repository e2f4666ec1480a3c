#include "vstgui/lib/platform/linux/linuxresourceinputstream.h"

#include <sys/stat.h>

namespace VSTGUI
{

PlatformResourceInputStreamPtr LinuxResourceInputStream::open(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {};
    // A folder opens fine on Linux but fails on the first read: refuse it here.
    struct stat info
    {
    };
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
    {
        std::fclose(file);
        return {};
    }
    return PlatformResourceInputStreamPtr(new LinuxResourceInputStream(file));
}

LinuxResourceInputStream::~LinuxResourceInputStream() noexcept
{
    std::fclose(file);
}

uint32_t LinuxResourceInputStream::readRaw(void* buffer, uint32_t size)
{
    if (!buffer && size > 0)
        return kStreamIOError;
    size_t count = std::fread(buffer, 1, size, file);
    if (count < size && std::ferror(file))
        return kStreamIOError;
    return static_cast<uint32_t>(count);
}

int64_t LinuxResourceInputStream::seek(int64_t pos, SeekMode mode)
{
    int whence = mode == SeekMode::Set ? SEEK_SET : mode == SeekMode::Current ? SEEK_CUR : SEEK_END;
    if (fseeko(file, static_cast<off_t>(pos), whence) != 0)
        return kStreamSeekError;
    return tell();
}

int64_t LinuxResourceInputStream::tell()
{
    auto pos = ftello(file);
    return pos < 0 ? kStreamSeekError : static_cast<int64_t>(pos);
}

} // namespace VSTGUI
