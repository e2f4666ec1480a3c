// The open list of an option menu: covers the whole frame so a click anywhere
// either picks an entry or closes the list.
#pragma once

#include "vstgui/lib/cview.h"

namespace VSTGUI
{

class COptionMenu;

class COptionMenuPopup final : public CView
{
public:
    explicit COptionMenuPopup(COptionMenu* menu);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    // The rectangle of entry index, in frame coordinates.
    CRect entryRect(int32_t index) const;

private:
    int32_t entryAt(const CPoint& where) const;
    COptionMenu* menu;
    CRect listRect;
    CCoord rowHeight;
    int32_t hovered{-1};
};

} // namespace VSTGUI
