// An image read from a PNG resource of the bundle.
#pragma once

#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/cresourcedescription.h"
#include "vstgui/lib/vstguifwd.h"
#include <cstdint>
#include <memory>
#include <string>

namespace VSTGUI
{

class CBitmap
{
public:
    // Loads the named resource at once; an unreadable one, or one whose
    // decoded pixels would take more than maxBytes, leaves the bitmap empty
    // (isLoaded false, size 0), which draws as nothing.
    explicit CBitmap(const CResourceDescription& desc, uint64_t maxBytes = UINT64_MAX);
    // An image made in memory, such as a drawing rendered offscreen.
    explicit CBitmap(const PlatformBitmapPtr& platformBitmap);

    bool isLoaded() const { return platformBitmap != nullptr; }
    CPoint getSize() const;
    CCoord getWidth() const { return getSize().x; }
    CCoord getHeight() const { return getSize().y; }
    const std::string& getResourceName() const { return resourceName; }
    const PlatformBitmapPtr& getPlatformBitmap() const { return platformBitmap; }

private:
    std::string resourceName;
    PlatformBitmapPtr platformBitmap;
};

using CBitmapRef = std::shared_ptr<CBitmap>;

} // namespace VSTGUI
