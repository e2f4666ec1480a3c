// A read-only byte stream over one resource of the plug-in bundle.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class IPlatformResourceInputStream
{
public:
    virtual ~IPlatformResourceInputStream() noexcept = default;

    // Reads up to size bytes; returns the count read (0 at the end) or
    // kStreamIOError when the underlying file fails.
    virtual uint32_t readRaw(void* buffer, uint32_t size) = 0;
    // Returns the new position or kStreamSeekError.
    virtual int64_t seek(int64_t pos, SeekMode mode) = 0;
    virtual int64_t tell() = 0;
};

} // namespace VSTGUI
