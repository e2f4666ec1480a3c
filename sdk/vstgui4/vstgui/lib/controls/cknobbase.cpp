#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cknob.h"

#include <cmath>

namespace VSTGUI
{

CKnobBase::CKnobBase(const CRect& size, IControlListener* listener, int32_t tag,
                     CBitmapRef background)
    : CControl(size, listener, tag, std::move(background))
{
}

float CKnobBase::valueFromPoint(const CPoint& where) const
{
    const double degrees = M_PI / 180;
    const double halfRange = rangeAngle * degrees / 2;
    const double middle = startAngle * degrees + halfRange;
    const double xRadius = getWidth() / 2 - inset;
    const double yRadius = getHeight() / 2 - inset;
    // The pointer's angle from the middle of the dial, within half a turn.
    double alpha =
        std::atan2((where.y - getHeight() / 2) / yRadius, (where.x - getWidth() / 2) / xRadius) -
        middle;
    alpha -= 2 * M_PI * std::floor((alpha + M_PI) / (2 * M_PI));
    if (halfRange < 0)
        alpha = -alpha;
    const double reach = std::fabs(halfRange);
    if (alpha > reach)
        return getMax();
    if (alpha < -reach)
        return getMin();
    return getMin() + static_cast<float>(0.5 + alpha / (2 * reach)) * getRange();
}

CMouseEventResult CKnobBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    dragging = true;
    CFrame* frame = getFrame();
    linear = frame && frame->getKnobMode() == kLinearMode;
    firstPoint = lastPoint = where;
    entryValue = getValue();
    lastDialValue = valueFromPoint(where - getViewSize().getTopLeft());
    // A press alone changes nothing; the first move does.
    return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!dragging)
        return kMouseEventNotHandled;
    // The button is up but its release never reached us (another client took
    // the pointer): the drag is over, and hovering must not turn the knob.
    if (!buttons.isLeftButton())
    {
        onMouseCancel();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    if (where == lastPoint)
        return kMouseEventHandled;
    lastPoint = where;
    float before = getValue();
    if (linear)
    {
        CCoord travel = (firstPoint.y - where.y) + (where.x - firstPoint.x);
        setValue(entryValue + static_cast<float>(travel * (getRange() / kDragRange)));
    }
    else
    {
        // Across the gap at the bottom of the dial the value stays at the
        // end it came from instead of jumping to the other.
        float dial = valueFromPoint(where - getViewSize().getTopLeft());
        float halfRange = getRange() * 0.5f;
        if (lastDialValue - dial > halfRange)
            setValue(getMax());
        else if (dial - lastDialValue > halfRange)
            setValue(getMin());
        else
        {
            lastDialValue = dial;
            setValue(dial);
        }
    }
    if (getValue() != before)
        valueChanged();
    return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseUp(CPoint&, const CButtonState&)
{
    return onMouseCancel();
}

CMouseEventResult CKnobBase::onMouseCancel()
{
    if (!dragging)
        return kMouseEventNotHandled;
    dragging = false;
    endEdit();
    return kMouseEventHandled;
}

bool CKnobBase::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    float before = getValue();
    setValue(before + distance * getWheelInc() * getRange());
    if (getValue() == before)
        return true;
    // One wheel notch is a whole gesture of its own.
    beginEdit();
    valueChanged();
    endEdit();
    return true;
}

} // namespace VSTGUI
