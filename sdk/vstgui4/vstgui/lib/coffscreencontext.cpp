#include "vstgui/lib/coffscreencontext.h"

#include "vstgui/lib/platform/iplatformoffscreen.h"
#include "vstgui/lib/platform/platformfactory.h"

namespace VSTGUI
{

CBitmapRef renderBitmapOffscreen(const CPoint& size, double scaleFactor,
                                 const std::function<void(CDrawContext& drawContext)> drawFunction)
{
    if (scaleFactor != 1.)
        return nullptr;
    auto surface = getPlatformFactory().createOffscreen(static_cast<int32_t>(size.x),
                                                        static_cast<int32_t>(size.y));
    if (!surface)
        return nullptr;
    drawFunction(surface->getDrawContext());
    auto image = surface->getBitmap();
    if (!image)
        return nullptr;
    return std::make_shared<CBitmap>(image);
}

} // namespace VSTGUI
