// The operating system's decoded image behind a CBitmap.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class IPlatformBitmap
{
public:
    virtual ~IPlatformBitmap() noexcept = default;
    virtual int32_t getWidth() const = 0;
    virtual int32_t getHeight() const = 0;
};

} // namespace VSTGUI
