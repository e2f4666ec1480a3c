#include "vstgui/lib/controls/coptionmenu.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/coptionmenupopup.h"
#include <cmath>

namespace VSTGUI
{

COptionMenu::COptionMenu(const CRect& size, IControlListener* listener, int32_t tag,
                         CBitmapRef background, int32_t style)
    : CParamDisplay(size, std::move(background), style)
{
    setListener(listener);
    setTag(tag);
    setMax(0);
}

void COptionMenu::addEntry(UTF8StringPtr title)
{
    entries.emplace_back(title ? title : "");
    setMax(static_cast<float>(entries.size() - 1));
    invalid();
}

void COptionMenu::removeAllEntry()
{
    entries.clear();
    setMax(0);
    setValue(0);
    invalid();
}

const std::string* COptionMenu::getEntry(int32_t index) const
{
    if (index < 0 || index >= getNbEntries())
        return nullptr;
    return &entries[static_cast<size_t>(index)];
}

bool COptionMenu::setCurrent(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return false;
    setValue(static_cast<float>(index));
    return true;
}

int32_t COptionMenu::getCurrentIndex() const
{
    return static_cast<int32_t>(std::lround(getValue()));
}

std::string COptionMenu::getDisplayText() const
{
    const std::string* entry = getEntry(getCurrentIndex());
    return entry ? *entry : std::string();
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
    CFrame* frame = getFrame();
    if (!buttons.isLeftButton() || !frame || entries.empty())
        return kMouseEventNotHandled;
    frame->setModalView(new COptionMenuPopup(this));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void COptionMenu::chooseEntry(int32_t index)
{
    if (index < 0 || index >= getNbEntries())
        return;
    beginEdit();
    setCurrent(index);
    valueChanged();
    endEdit();
}

} // namespace VSTGUI
