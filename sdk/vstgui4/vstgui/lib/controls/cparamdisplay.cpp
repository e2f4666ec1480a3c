#include "vstgui/lib/controls/cparamdisplay.h"

#include <cstdio>

namespace VSTGUI
{

CParamDisplay::CParamDisplay(const CRect& size, CBitmapRef background, int32_t style)
    : CControl(size, nullptr, -1, std::move(background)), style(style)
{
}

void CParamDisplay::setFont(const CFontRef& newFont)
{
    font = newFont ? newFont : kNormalFont();
    invalid();
}

void CParamDisplay::setFontColor(const CColor& color)
{
    fontColor = color;
    invalid();
}

void CParamDisplay::setBackColor(const CColor& color)
{
    backColor = color;
    invalid();
}

void CParamDisplay::setFrameColor(const CColor& color)
{
    frameColor = color;
    invalid();
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align)
{
    horiAlign = align;
    invalid();
}

void CParamDisplay::setStyle(int32_t newStyle)
{
    style = newStyle;
    invalid();
}

void CParamDisplay::setValueToStringFunction(ValueToStringFunction function)
{
    valueToString = std::move(function);
    invalid();
}

std::string CParamDisplay::getDisplayText() const
{
    char text[256] = {};
    if (valueToString && valueToString(getValue(), text, const_cast<CParamDisplay*>(this)))
    {
        text[255] = 0;
        return text;
    }
    std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(getValue()));
    return text;
}

void CParamDisplay::draw(CDrawContext* context)
{
    drawBack(context);
    if (!(style & kNoDrawStyle))
        drawText(context, getDisplayText());
}

void CParamDisplay::drawBack(CDrawContext* context) const
{
    const CRect& rect = getViewSize();
    if (!getTransparency())
    {
        context->setFillColor(backColor);
        context->drawRect(rect, kDrawFilled);
    }
    if (getDrawBackground())
        context->drawBitmap(*getDrawBackground(), rect, CPoint());
    if (!(style & kNoFrame) && !getTransparency())
    {
        context->setFrameColor(frameColor);
        context->setLineWidth(1);
        context->drawRect(rect, kDrawStroked);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text) const
{
    CRect textRect = getViewSize();
    textRect.inset(2, 0);
    context->setFont(font);
    context->setFontColor(fontColor);
    context->drawString(text, textRect, horiAlign);
}

} // namespace VSTGUI
