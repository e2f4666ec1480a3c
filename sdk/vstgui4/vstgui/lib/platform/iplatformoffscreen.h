// A drawing surface in memory, for pictures of an editor without a display.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class IPlatformOffscreen
{
public:
    virtual ~IPlatformOffscreen() noexcept = default;
    virtual CDrawContext& getDrawContext() = 0;
    // What has been drawn so far, as an image of its own.
    virtual PlatformBitmapPtr getBitmap() = 0;
};

} // namespace VSTGUI
