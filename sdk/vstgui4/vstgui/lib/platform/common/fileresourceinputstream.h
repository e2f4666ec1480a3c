// A resource stream over a regular file, on every platform; each platform
// opens the file in its own way.
#pragma once

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include <cstdio>

namespace VSTGUI
{

class FileResourceInputStream final : public IPlatformResourceInputStream
{
public:
    // Takes over an opened file (or null). Null, with the file closed, unless
    // the file is a regular file: a folder may open but fails on its first read.
    static PlatformResourceInputStreamPtr adopt(FILE* file);
    ~FileResourceInputStream() noexcept override;

    uint32_t readRaw(void* buffer, uint32_t size) override;
    int64_t seek(int64_t pos, SeekMode mode) override;
    int64_t tell() override;

private:
    explicit FileResourceInputStream(FILE* file) : file(file) {}
    FILE* file;
};

} // namespace VSTGUI
