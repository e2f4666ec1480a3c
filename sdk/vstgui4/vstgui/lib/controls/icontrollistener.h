// Who hears of a control's edits: the editor binding that turns them into
// parameter edits.
#pragma once

namespace VSTGUI
{

class CControl;

class IControlListener
{
public:
    virtual ~IControlListener() noexcept = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual void controlBeginEdit(CControl*) {}
    virtual void controlEndEdit(CControl*) {}
};

} // namespace VSTGUI
