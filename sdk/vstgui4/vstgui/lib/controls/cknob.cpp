#include "vstgui/lib/controls/cknob.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

CKnob::CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmapRef background)
    : CKnobBase(size, listener, tag, std::move(background))
{
    inset = 3;
}

void CKnob::draw(CDrawContext* context)
{
    const CRect& rect = getViewSize();
    if (getDrawBackground())
        context->drawBitmap(*getDrawBackground(), rect, CPoint());

    const double startAngle = getStartAngle();
    double angle = startAngle + getRangeAngle() * getValueNormalized();
    if (drawStyle & kCoronaDrawing)
    {
        CRect corona = rect;
        corona.inset(coronaInset + coronaLineWidth / 2, coronaInset + coronaLineWidth / 2);
        context->setFrameColor(coronaColor);
        context->setLineWidth(coronaLineWidth);
        context->drawArc(corona, std::min<double>(startAngle, angle),
                         std::max<double>(startAngle, angle), kDrawStroked);
    }

    CRect inner = rect;
    CCoord inset = (drawStyle & kCoronaDrawing) ? coronaInset + coronaLineWidth + 2 : 2;
    inner.inset(inset, inset);
    if (drawStyle & kHandleCircleDrawing)
    {
        double radius = std::min(inner.getWidth(), inner.getHeight()) / 8;
        auto centre = inner.getCenter();
        double distance = std::min(inner.getWidth(), inner.getHeight()) / 2 - radius;
        double radians = angle * M_PI / 180;
        CPoint handle(centre.x + std::cos(radians) * distance,
                      centre.y + std::sin(radians) * distance);
        context->setFillColor(handleColor);
        context->setFrameColor(shadowColor);
        context->setLineWidth(handleLineWidth);
        context->drawEllipse(
            CRect(handle.x - radius, handle.y - radius, handle.x + radius, handle.y + radius),
            kDrawFilledAndStroked);
        return;
    }
    auto centre = inner.getCenter();
    double length = std::min(inner.getWidth(), inner.getHeight()) / 2;
    double radians = angle * M_PI / 180;
    CPoint tip(centre.x + std::cos(radians) * length, centre.y + std::sin(radians) * length);
    context->setLineWidth(handleLineWidth + 1);
    context->setFrameColor(shadowColor);
    context->drawLine(centre + CPoint(1, 1), tip + CPoint(1, 1));
    context->setLineWidth(handleLineWidth);
    context->setFrameColor(handleColor);
    context->drawLine(centre, tip);
}

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag,
                     CBitmapRef background)
    : CKnobBase(size, listener, tag, std::move(background))
{
}

void CAnimKnob::draw(CDrawContext* context)
{
    const auto& strip = getDrawBackground();
    if (!strip)
        return;
    CCoord frameHeight = heightOfOneImage >= 1 ? heightOfOneImage : getHeight();
    if (!(frameHeight >= 1))
        return;
    // No more frames than the strip holds, whatever count the description gives.
    int32_t available =
        std::max<int32_t>(1, static_cast<int32_t>(std::min<CCoord>(
                                 std::floor(strip->getHeight() / frameHeight), INT32_MAX)));
    int32_t frames = subPixmaps > 0 ? std::min(subPixmaps, available) : available;
    // Rounded down, counted in pixels down the strip: the last frame shows
    // only at the very end of the range, and a value a hair below a frame's
    // own stays on the frame before it.
    double pixels = std::floor(getValueNormalized() * (frameHeight * (frames - 1)));
    int32_t index = std::clamp(static_cast<int32_t>(pixels / frameHeight), 0, frames - 1);
    context->drawBitmap(*strip, getViewSize(), CPoint(0, index * frameHeight));
}

} // namespace VSTGUI
