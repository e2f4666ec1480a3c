#include "public.sdk/source/vst/utility/stringconvert.h"

#include <cstring>

namespace Steinberg
{
namespace Vst
{
namespace StringConvert
{
namespace
{

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[pos], advancing pos; overlong forms,
// surrogates and values above U+10FFFF decode as the replacement character.
char32_t decodeUtf8(const std::string& text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0)
    {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    }
    else
        return kReplacement;
    for (int i = 0; i < extra; ++i)
    {
        if (pos >= text.size())
            return kReplacement;
        const auto next = static_cast<unsigned char>(text[pos]);
        if ((next & 0xC0) != 0x80)
            return kReplacement; // the byte starts the next character
        cp = (cp << 6) | (next & 0x3F);
        ++pos;
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    return cp;
}

void appendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000)
    {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80)
        out.push_back(static_cast<char>(cp));
    else if (cp < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else if (cp < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string fromUtf16(const char16_t* str, size_t length)
{
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i)
    {
        char32_t unit = str[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length && str[i + 1] >= 0xDC00 &&
            str[i + 1] <= 0xDFFF)
        {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (str[i + 1] - 0xDC00);
            ++i;
        }
        else if (unit >= 0xD800 && unit <= 0xDFFF)
            unit = kReplacement; // unpaired surrogate
        appendUtf8(out, unit);
    }
    return out;
}

} // namespace

std::u16string convert(const std::string& utf8Str)
{
    std::u16string out;
    out.reserve(utf8Str.size());
    size_t pos = 0;
    while (pos < utf8Str.size())
        appendUtf16(out, decodeUtf8(utf8Str, pos));
    return out;
}

std::string convert(const std::u16string& str)
{
    return fromUtf16(str.data(), str.size());
}

bool convert(const std::string& utf8Str, Steinberg::Vst::TChar* str, uint32_t maxCharacters)
{
    if (str == nullptr || maxCharacters == 0)
        return false;
    const std::u16string wide = convert(utf8Str);
    size_t count = wide.size();
    if (count > maxCharacters - 1)
    {
        count = maxCharacters - 1;
        // Never leave half of a surrogate pair at the end.
        if (count > 0 && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF)
            --count;
    }
    std::memcpy(str, wide.data(), count * sizeof(char16_t));
    str[count] = 0;
    return true;
}

std::string convert(const Steinberg::Vst::TChar* str)
{
    if (str == nullptr)
        return {};
    size_t length = 0;
    while (str[length] != 0)
        ++length;
    return fromUtf16(reinterpret_cast<const char16_t*>(str), length);
}

std::string convert(const Steinberg::Vst::TChar* str, uint32_t max)
{
    if (str == nullptr)
        return {};
    size_t length = 0;
    while (length < max && str[length] != 0)
        ++length;
    return fromUtf16(reinterpret_cast<const char16_t*>(str), length);
}

std::string convert(const char* str, uint32_t max)
{
    if (str == nullptr)
        return {};
    size_t length = 0;
    while (length < max && str[length] != 0)
        ++length;
    return std::string(str, length);
}

} // namespace StringConvert
} // namespace Vst
} // namespace Steinberg
