#include "vstgui/lib/controls/cbuttons.h"

namespace VSTGUI
{

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag,
                           CBitmapRef background)
    : CControl(size, listener, tag, std::move(background))
{
}

void COnOffButton::draw(CDrawContext* context)
{
    if (const auto& states = getDrawBackground())
    {
        context->drawBitmap(*states, getViewSize(), CPoint(0, isOn() ? getHeight() : 0));
        return;
    }
    // Without a bitmap: a lamp, lit while on.
    context->setFillColor(isOn() ? CColor(230, 160, 40) : CColor(60, 60, 60));
    context->setFrameColor(kBlackCColor);
    context->setLineWidth(1);
    context->drawRect(getViewSize(), kDrawFilledAndStroked);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    setValue(isOn() ? getMin() : getMax());
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
