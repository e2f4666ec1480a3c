// A fixed text (a control's title), drawn like a parameter display.
#pragma once

#include "vstgui/lib/controls/cparamdisplay.h"

namespace VSTGUI
{

class CTextLabel : public CParamDisplay
{
public:
    CTextLabel(const CRect& size, UTF8StringPtr text = nullptr, CBitmapRef background = nullptr,
               int32_t style = 0);

    void setText(UTF8StringPtr newText);
    const std::string& getText() const { return text; }
    std::string getDisplayText() const override { return text; }

private:
    std::string text;
};

} // namespace VSTGUI
