// The open list of an option menu: covers the whole frame so a click anywhere
// either picks an entry or closes the list. It looks like the desktop's own
// menus, not like the design around it: a grey panel with a darker edge,
// entries in the regular system font, the entry under the pointer lit. The
// menu's current entry is not marked; the menu itself shows it.
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cview.h"

namespace VSTGUI
{

class COptionMenu;

struct OptionMenuPopupTheme
{
    CFontRef font{kSystemFont()};
    CColor panel{0x39, 0x3c, 0x3f, 252};
    CColor edge{40, 42, 44}; // the panel at 70 % of its lightness
    CColor text{kWhiteCColor};
    CColor hoveredPanel{200, 200, 200, 235};
    CColor hoveredText{kBlackCColor};
};

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
    // Room left of an entry's text (where a check mark would go) and right of it.
    CCoord margin() const;

    OptionMenuPopupTheme theme;
    COptionMenu* menu;
    CRect listRect;
    CCoord rowHeight;
    int32_t hovered{-1};
};

} // namespace VSTGUI
