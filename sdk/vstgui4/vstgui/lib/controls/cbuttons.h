// A two-state switch: a click flips between minimum (off) and maximum (on).
// Its bitmap holds the off image on top and the on image below.
#pragma once

#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI
{

class COnOffButton : public CControl
{
public:
    COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                 CBitmapRef background = nullptr);

    bool isOn() const { return getValue() > getMin() + getRange() / 2; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
};

} // namespace VSTGUI
