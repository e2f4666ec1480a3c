// Shows a control's value as text over a background colour and frame.
#pragma once

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/cfont.h"
#include <functional>
#include <string>

namespace VSTGUI
{

class CParamDisplay : public CControl
{
public:
    enum Style
    {
        kNoFrame = 1 << 0,
        kNoDrawStyle = 1 << 1,
    };

    // Writes the text for value into utf8String; false leaves the default text.
    using ValueToStringFunction =
        std::function<bool(float value, char utf8String[256], CParamDisplay* display)>;

    CParamDisplay(const CRect& size, CBitmapRef background = nullptr, int32_t style = 0);

    void setFont(const CFontRef& newFont);
    const CFontRef& getFont() const { return font; }
    void setFontColor(const CColor& color);
    const CColor& getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color);
    const CColor& getBackColor() const { return backColor; }
    void setFrameColor(const CColor& color);
    const CColor& getFrameColor() const { return frameColor; }
    void setHoriAlign(CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }
    void setStyle(int32_t newStyle);
    int32_t getStyle() const { return style; }
    void setValueToStringFunction(ValueToStringFunction function);

    // The text the display shows now.
    virtual std::string getDisplayText() const;

    void draw(CDrawContext* context) override;

protected:
    void drawBack(CDrawContext* context) const;
    void drawText(CDrawContext* context, const std::string& text) const;

private:
    CFontRef font{kNormalFont()};
    CColor fontColor{kWhiteCColor};
    CColor backColor{kBlackCColor};
    CColor frameColor{kBlackCColor};
    CHoriTxtAlign horiAlign{kCenterText};
    int32_t style;
    ValueToStringFunction valueToString;
};

} // namespace VSTGUI
