// What views draw with. Each operating system supplies one implementation
// (cairo on Linux); views only see this interface.
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/crect.h"
#include <string>

namespace VSTGUI
{

class CBitmap;

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText
};

class CDrawContext
{
public:
    virtual ~CDrawContext() noexcept = default;

    virtual void saveGlobalState() = 0;
    virtual void restoreGlobalState() = 0;
    // Moves the origin: later drawing at (0, 0) lands at offset.
    virtual void translate(const CPoint& offset) = 0;
    // Narrows drawing to rect (in the current coordinates) until the state is restored.
    virtual void clipRect(const CRect& rect) = 0;

    void setFillColor(const CColor& color) { fillColor = color; }
    void setFrameColor(const CColor& color) { frameColor = color; }
    void setFontColor(const CColor& color) { fontColor = color; }
    void setLineWidth(CCoord width) { lineWidth = width; }
    void setFont(const CFontRef& newFont) { font = newFont ? newFont : kNormalFont(); }

    virtual void drawLine(const CPoint& from, const CPoint& to) = 0;
    virtual void drawRect(const CRect& rect, CDrawStyle style) = 0;
    virtual void drawEllipse(const CRect& rect, CDrawStyle style) = 0;
    // Angles in degrees, clockwise from the positive x axis (screen coordinates).
    virtual void drawArc(const CRect& rect, double startAngle, double endAngle,
                         CDrawStyle style) = 0;
    // Draws the part of bitmap that starts at offset into dest.
    virtual void drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset,
                            float alpha = 1.f) = 0;
    // One line of UTF-8 text, vertically centred in rect.
    virtual void drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align) = 0;

protected:
    CColor fillColor{kWhiteCColor};
    CColor frameColor{kBlackCColor};
    CColor fontColor{kBlackCColor};
    CCoord lineWidth{1};
    CFontRef font{kNormalFont()};
};

} // namespace VSTGUI
