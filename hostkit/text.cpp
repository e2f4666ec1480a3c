#include "hostkit/text.h"

namespace ferrulith::host
{

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
    {
        out += char(c);
    }
    else if (c < 0x800)
    {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    else
    {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes one code point at `i`, advancing `i`; malformed input gives U+FFFD.
char32_t nextCodePoint(const std::string& text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4)
        return kReplacement;
    char32_t c = lead & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k)
    {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return c > 0x10FFFF || (c >= 0xD800 && c < 0xE000) ? kReplacement : c;
}

} // namespace

std::string utf8FromUtf16(const char16_t* text, std::size_t capacity)
{
    std::string out;
    for (std::size_t i = 0; i < capacity && text[i] != 0; ++i)
    {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < capacity && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        }
        else if (c >= 0xD800 && c < 0xE000)
        {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

void utf16FromUtf8(const std::string& text, char16_t* field, std::size_t capacity)
{
    if (capacity == 0)
        return;
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size();)
    {
        const char32_t c = nextCodePoint(text, i);
        const std::size_t units = c >= 0x10000 ? 2 : 1;
        if (used + units >= capacity)
            break;
        if (units == 2)
        {
            field[used++] = char16_t(0xD800 + ((c - 0x10000) >> 10));
            field[used++] = char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        else
        {
            field[used++] = char16_t(c);
        }
    }
    field[used] = 0;
}

std::string boundedString(const char* text, std::size_t capacity)
{
    std::size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return std::string(text, length);
}

} // namespace ferrulith::host
