#include "vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI
{

CTextLabel::CTextLabel(const CRect& size, UTF8StringPtr text, CBitmapRef background, int32_t style)
    : CParamDisplay(size, std::move(background), style), text(text ? text : "")
{
    // A label edits nothing: clicks pass to whatever lies beneath it.
    setMouseEnabled(false);
}

void CTextLabel::setText(UTF8StringPtr newText)
{
    text = newText ? newText : "";
    invalid();
}

} // namespace VSTGUI
