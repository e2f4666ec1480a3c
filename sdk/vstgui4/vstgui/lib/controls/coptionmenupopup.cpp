#include "vstgui/lib/controls/coptionmenupopup.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI
{

COptionMenuPopup::COptionMenuPopup(COptionMenu* menu)
    : CView(menu->getFrame()->getViewSize()), menu(menu)
{
    CRect frameRect(CPoint(), menu->getFrame()->getViewSize().getSize());
    CRect anchor(menu->parentToFrame(menu->getViewSize().getTopLeft()),
                 menu->getViewSize().getSize());
    rowHeight = std::ceil(theme.font->getSize() + 8);
    CCoord height = rowHeight * menu->getNbEntries();
    // Below the menu when it fits, else above, else from the frame's top.
    CCoord top = anchor.bottom;
    if (top + height > frameRect.bottom)
        top = anchor.top - height >= 0 ? anchor.top - height : 0;
    CCoord width = std::max<CCoord>(anchor.getWidth(), 120);
    CCoord left = std::min(anchor.left, std::max<CCoord>(0, frameRect.right - width));
    listRect = CRect(left, top, left + width, top + height);
    setViewSize(frameRect, false);
}

CRect COptionMenuPopup::entryRect(int32_t index) const
{
    CRect row = listRect;
    row.top += rowHeight * index;
    row.setHeight(rowHeight);
    return row;
}

int32_t COptionMenuPopup::entryAt(const CPoint& where) const
{
    if (!listRect.pointInside(where))
        return -1;
    int32_t index = static_cast<int32_t>((where.y - listRect.top) / rowHeight);
    return index < menu->getNbEntries() ? index : -1;
}

CCoord COptionMenuPopup::margin() const
{
    return theme.font->getSize() * 1.6;
}

void COptionMenuPopup::draw(CDrawContext* context)
{
    context->setFillColor(theme.panel);
    context->setFrameColor(theme.edge);
    context->setLineWidth(1);
    context->drawRect(listRect, kDrawFilledAndStroked);
    context->setFont(theme.font);
    for (int32_t i = 0; i < menu->getNbEntries(); ++i)
    {
        CRect row = entryRect(i);
        if (i == hovered)
        {
            context->setFillColor(theme.hoveredPanel);
            context->drawRect(row, kDrawFilled);
        }
        context->setFontColor(i == hovered ? theme.hoveredText : theme.text);
        row.inset(margin(), 0);
        context->drawString(*menu->getEntry(i), row, kLeftText);
    }
}

CMouseEventResult COptionMenuPopup::onMouseDown(CPoint& where, const CButtonState&)
{
    int32_t index = entryAt(where);
    COptionMenu* target = menu;
    CFrame* frame = getFrame();
    if (frame)
        frame->setModalView(nullptr); // this view is deleted after the event
    if (index >= 0)
        target->chooseEntry(index);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult COptionMenuPopup::onMouseMoved(CPoint& where, const CButtonState&)
{
    int32_t index = entryAt(where);
    if (index != hovered)
    {
        hovered = index;
        invalid();
    }
    return kMouseEventHandled;
}

} // namespace VSTGUI
