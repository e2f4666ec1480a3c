#include "vstgui/uidescription/uiattributes.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace VSTGUI
{

namespace
{
const char* skipBlanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

// Reads one finite number at p; returns where it ended, or null.
const char* readNumber(const char* p, double& value)
{
    p = skipBlanks(p);
    char* end = nullptr;
    errno = 0;
    double number = std::strtod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(number))
        return nullptr;
    value = number;
    return end;
}
} // namespace

const std::string* UIAttributes::getAttributeValue(const std::string& name) const
{
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

bool UIAttributes::stringToPoint(const std::string& text, CPoint& point)
{
    double x = 0;
    double y = 0;
    const char* p = readNumber(text.c_str(), x);
    if (!p)
        return false;
    p = skipBlanks(p);
    if (*p != ',')
        return false;
    p = readNumber(p + 1, y);
    if (!p || *skipBlanks(p) != 0)
        return false;
    point = CPoint(x, y);
    return true;
}

bool UIAttributes::stringToDouble(const std::string& text, double& value)
{
    double number = 0;
    const char* p = readNumber(text.c_str(), number);
    if (!p || *skipBlanks(p) != 0)
        return false;
    value = number;
    return true;
}

bool UIAttributes::stringToInteger(const std::string& text, int32_t& value)
{
    const char* p = skipBlanks(text.c_str());
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || *skipBlanks(end) != 0 || number < INT32_MIN ||
        number > INT32_MAX)
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

bool UIAttributes::getPointAttribute(const std::string& name, CPoint& point) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToPoint(*text, point);
}

bool UIAttributes::getBooleanAttribute(const std::string& name, bool& value) const
{
    const std::string* text = getAttributeValue(name);
    if (!text)
        return false;
    if (*text == "true")
        value = true;
    else if (*text == "false")
        value = false;
    else
        return false;
    return true;
}

bool UIAttributes::getDoubleAttribute(const std::string& name, double& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToDouble(*text, value);
}

bool UIAttributes::getIntegerAttribute(const std::string& name, int32_t& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToInteger(*text, value);
}

} // namespace VSTGUI
