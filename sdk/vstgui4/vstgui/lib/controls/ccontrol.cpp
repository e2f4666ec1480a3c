#include "vstgui/lib/controls/ccontrol.h"

#include <algorithm>

namespace VSTGUI
{

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag,
                   CBitmapRef background)
    : CView(size), listener(listener), tag(tag), background(std::move(background))
{
}

void CControl::setValue(float newValue)
{
    float low = std::min(minValue, maxValue);
    float high = std::max(minValue, maxValue);
    newValue = std::clamp(newValue, low, high);
    if (newValue != value)
    {
        value = newValue;
        invalid();
    }
}

void CControl::setValueNormalized(float normalized)
{
    normalized = std::clamp(normalized, 0.f, 1.f);
    setValue(minValue + getRange() * normalized);
}

float CControl::getValueNormalized() const
{
    if (getRange() == 0.f)
        return 0.f;
    return std::clamp((value - minValue) / getRange(), 0.f, 1.f);
}

void CControl::setBackground(const CBitmapRef& bitmap)
{
    background = bitmap;
    invalid();
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

void CControl::beginEdit()
{
    // Only the outermost of nested gestures reaches the listener.
    if (editing++ == 0 && listener)
        listener->controlBeginEdit(this);
}

void CControl::endEdit()
{
    if (editing == 0)
        return;
    if (--editing == 0 && listener)
        listener->controlEndEdit(this);
}

} // namespace VSTGUI
