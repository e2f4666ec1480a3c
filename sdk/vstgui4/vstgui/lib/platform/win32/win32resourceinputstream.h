// A resource stream over a regular file.
#pragma once

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <cstdio>
#include <string>

namespace VSTGUI
{

class Win32ResourceInputStream final : public IPlatformResourceInputStream
{
public:
    // Null unless path names a regular file that can be opened for reading.
    static PlatformResourceInputStreamPtr open(const std::wstring& path);
    ~Win32ResourceInputStream() noexcept override;

    uint32_t readRaw(void* buffer, uint32_t size) override;
    int64_t seek(int64_t pos, SeekMode mode) override;
    int64_t tell() override;

private:
    explicit Win32ResourceInputStream(FILE* file) : file(file) {}
    FILE* file;
};

} // namespace VSTGUI
