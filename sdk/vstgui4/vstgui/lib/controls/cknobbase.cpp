#include "vstgui/lib/controls/cknob.h"

namespace VSTGUI
{

CKnobBase::CKnobBase(const CRect& size, IControlListener* listener, int32_t tag,
                     CBitmapRef background)
    : CControl(size, listener, tag, std::move(background))
{
}

CMouseEventResult CKnobBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    dragging = true;
    dragStartY = where.y;
    dragStartValue = getValue();
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
    float delta = static_cast<float>((dragStartY - where.y) / kDragRange) * getRange();
    float before = getValue();
    setValue(dragStartValue + delta);
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
