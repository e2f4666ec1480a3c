#include "vstgui/lib/platform/win32/direct2d/d2dfont.h"

#include "vstgui/lib/platform/win32/win32strings.h"
#include <cmath>

namespace VSTGUI
{

using Microsoft::WRL::ComPtr;

namespace
{
struct FamilyMapping
{
    const char* design;
    const wchar_t* windows[2];
};

// DejaVu Sans grew out of Bitstream Vera, drawn to Verdana's proportions;
// Consolas is the Windows monospace of the same weight and width.
constexpr FamilyMapping kMappings[] = {
    {"DejaVu Sans", {L"Verdana", L"Segoe UI"}},
    {"DejaVu Sans Mono", {L"Consolas", L"Courier New"}},
    {"DejaVu Serif", {L"Georgia", L"Times New Roman"}},
    {"Arial", {L"Arial", L"Segoe UI"}},
};

// On every Windows since Vista, and (the last) wherever DejaVu is installed,
// as on Linux desktops and under Wine.
constexpr const wchar_t* kEverywhere[] = {L"Segoe UI", L"Arial", L"Tahoma", L"DejaVu Sans"};

void addOnce(std::vector<std::wstring>& list, std::wstring family)
{
    if (family.empty())
        return;
    for (const auto& present : list)
        if (present == family)
            return;
    list.push_back(std::move(family));
}

ComPtr<IDWriteFont> matchingFont(IDWriteFontCollection* fonts, const std::wstring& family,
                                 DWRITE_FONT_WEIGHT weight, DWRITE_FONT_STYLE style)
{
    UINT32 index = 0;
    BOOL exists = FALSE;
    ComPtr<IDWriteFontFamily> found;
    ComPtr<IDWriteFont> font;
    if (FAILED(fonts->FindFamilyName(family.c_str(), &index, &exists)) || !exists ||
        FAILED(fonts->GetFontFamily(index, &found)) ||
        FAILED(found->GetFirstMatchingFont(weight, DWRITE_FONT_STRETCH_NORMAL, style, &font)))
        return nullptr;
    return font;
}

std::wstring firstFamilyName(IDWriteFontCollection* fonts)
{
    ComPtr<IDWriteFontFamily> family;
    ComPtr<IDWriteLocalizedStrings> names;
    UINT32 length = 0;
    if (fonts->GetFontFamilyCount() == 0 || FAILED(fonts->GetFontFamily(0, &family)) ||
        FAILED(family->GetFamilyNames(&names)) || names->GetCount() == 0 ||
        FAILED(names->GetStringLength(0, &length)))
        return {};
    std::wstring name(length + 1, L'\0');
    if (FAILED(names->GetString(0, name.data(), length + 1)))
        return {};
    name.resize(length);
    return name;
}
} // namespace

std::vector<std::wstring> fontFamilyCandidates(const std::string& name)
{
    std::vector<std::wstring> candidates;
    addOnce(candidates, utf16FromUtf8(name));
    for (const auto& mapping : kMappings)
        if (name == mapping.design)
            for (const wchar_t* family : mapping.windows)
                addOnce(candidates, family);
    for (const wchar_t* family : kEverywhere)
        addOnce(candidates, family);
    return candidates;
}

std::wstring resolveFontFamily(IDWriteFontCollection* fonts, const std::string& name)
{
    for (const auto& family : fontFamilyCandidates(name))
    {
        UINT32 index = 0;
        BOOL exists = FALSE;
        if (SUCCEEDED(fonts->FindFamilyName(family.c_str(), &index, &exists)) && exists)
            return family;
    }
    return firstFamilyName(fonts);
}

D2DFont D2DFont::make(IDWriteFactory* factory, const CFontDesc& desc)
{
    D2DFont result;
    ComPtr<IDWriteFontCollection> fonts;
    if (!factory || FAILED(factory->GetSystemFontCollection(&fonts, FALSE)))
        return result;
    const std::wstring family = resolveFontFamily(fonts.Get(), desc.getName());
    const auto weight =
        (desc.getStyle() & kBoldFace) ? DWRITE_FONT_WEIGHT_BOLD : DWRITE_FONT_WEIGHT_NORMAL;
    const auto style =
        (desc.getStyle() & kItalicFace) ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL;
    const auto size = static_cast<float>(desc.getSize());
    ComPtr<IDWriteFont> font =
        family.empty() ? nullptr : matchingFont(fonts.Get(), family, weight, style);
    if (!font || FAILED(factory->CreateTextFormat(family.c_str(), fonts.Get(), weight, style,
                                                  DWRITE_FONT_STRETCH_NORMAL, size, L"en-us",
                                                  &result.format)))
    {
        result.format.Reset();
        return result;
    }
    result.format->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    DWRITE_FONT_METRICS metrics{};
    font->GetMetrics(&metrics);
    if (metrics.designUnitsPerEm > 0)
    {
        // Whole pixels, rounded away from the baseline.
        result.ascent = std::ceil(size * metrics.ascent / metrics.designUnitsPerEm);
        result.descent = std::ceil(size * metrics.descent / metrics.designUnitsPerEm);
    }
    return result;
}

} // namespace VSTGUI
