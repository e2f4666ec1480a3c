#include "vstgui/lib/cbitmap.h"

#include "vstgui/lib/platform/iplatformbitmap.h"
#include "vstgui/lib/platform/platformfactory.h"

namespace VSTGUI
{

CBitmap::CBitmap(const CResourceDescription& desc, uint64_t maxBytes)
{
    if (desc.type == CResourceDescription::kStringType && desc.u.name)
        resourceName = desc.u.name;
    platformBitmap = getPlatformFactory().createBitmap(desc, maxBytes);
}

CBitmap::CBitmap(const PlatformBitmapPtr& platformBitmap) : platformBitmap(platformBitmap) {}

CPoint CBitmap::getSize() const
{
    if (!platformBitmap)
        return {};
    return {static_cast<CCoord>(platformBitmap->getWidth()),
            static_cast<CCoord>(platformBitmap->getHeight())};
}

} // namespace VSTGUI
