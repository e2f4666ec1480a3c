// The attributes of one element of a UI description, with readers for the
// value forms the format uses ("x, y" points, "true"/"false", numbers).
#pragma once

#include "vstgui/lib/cpoint.h"
#include <map>
#include <string>

namespace VSTGUI
{

class UIAttributes
{
public:
    void setAttribute(const std::string& name, const std::string& value) { values[name] = value; }
    bool hasAttribute(const std::string& name) const { return values.count(name) != 0; }
    // Null when the attribute is absent.
    const std::string* getAttributeValue(const std::string& name) const;

    // Each returns false, leaving the result unchanged, when the attribute is
    // absent or not of the form asked for.
    bool getPointAttribute(const std::string& name, CPoint& point) const;
    bool getBooleanAttribute(const std::string& name, bool& value) const;
    bool getDoubleAttribute(const std::string& name, double& value) const;
    bool getIntegerAttribute(const std::string& name, int32_t& value) const;

    static bool stringToPoint(const std::string& text, CPoint& point);
    static bool stringToDouble(const std::string& text, double& value);
    static bool stringToInteger(const std::string& text, int32_t& value);

private:
    std::map<std::string, std::string> values;
};

} // namespace VSTGUI
