// The fonts a design names, as DirectWrite fonts. Designs name the fonts of
// the Linux desktop; a Windows machine may lack them, and DirectWrite lays
// out a family it does not know as nothing at all. So a name is looked up
// first as given (keeping the Linux look where the font is installed), then
// as the Windows family closest to it, then as families every Windows has,
// and last as any family the machine has: text never comes out empty.
#pragma once

#include "vstgui/lib/cfont.h"
#include <dwrite.h>
#include <string>
#include <vector>
#include <wrl/client.h>

namespace VSTGUI
{

// The families to try for the design's font name, best first.
std::vector<std::wstring> fontFamilyCandidates(const std::string& name);

// The first candidate the collection holds, else the collection's first
// family; empty only for a collection without any family.
std::wstring resolveFontFamily(IDWriteFontCollection* fonts, const std::string& name);

// One font of a design, ready to lay out text: its format and the ascent
// and descent (in whole pixels) that place its baseline.
struct D2DFont
{
    Microsoft::WRL::ComPtr<IDWriteTextFormat> format;
    float ascent{0};
    float descent{0};

    // Null format when the machine has no font at all.
    static D2DFont make(IDWriteFactory* factory, const CFontDesc& desc);
};

} // namespace VSTGUI
