// Applying attribute values that several view classes share.
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uidescription.h"
#include <string>

namespace VSTGUI
{
namespace ViewCreator
{

inline bool colorAttribute(const UIAttributes& a, const UIDescription& d, const char* name,
                           CColor& color)
{
    const std::string* value = a.getAttributeValue(name);
    return value && d.getColor(value->c_str(), color);
}

inline CBitmapRef bitmapAttribute(const UIAttributes& a, const UIDescription& d, const char* name)
{
    const std::string* value = a.getAttributeValue(name);
    return value ? d.getBitmap(value->c_str()) : nullptr;
}

inline bool alignAttribute(const UIAttributes& a, CHoriTxtAlign& align)
{
    const std::string* value = a.getAttributeValue("text-alignment");
    if (!value)
        return false;
    if (*value == "left")
        align = kLeftText;
    else if (*value == "center")
        align = kCenterText;
    else if (*value == "right")
        align = kRightText;
    else
        return false;
    return true;
}

inline bool flag(const UIAttributes& a, const char* name)
{
    bool value = false;
    a.getBooleanAttribute(name, value);
    return value;
}

} // namespace ViewCreator
} // namespace VSTGUI
