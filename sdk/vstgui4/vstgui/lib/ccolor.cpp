#include "vstgui/lib/ccolor.h"

namespace VSTGUI
{

namespace
{
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

bool CColor::fromString(const std::string& text, CColor& color)
{
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#')
        return false;
    uint8_t parts[4] = {0, 0, 0, 255};
    for (size_t i = 0; i * 2 + 1 < text.size(); ++i)
    {
        int high = hexDigit(text[1 + i * 2]);
        int low = hexDigit(text[2 + i * 2]);
        if (high < 0 || low < 0)
            return false;
        parts[i] = static_cast<uint8_t>(high * 16 + low);
    }
    color = CColor(parts[0], parts[1], parts[2], parts[3]);
    return true;
}

} // namespace VSTGUI
