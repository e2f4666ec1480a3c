// A font by family name, pixel size and style.
#pragma once

#include "vstgui/lib/vstguibase.h"
#include <memory>
#include <string>

namespace VSTGUI
{

enum CTxtFace
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
};

class CFontDesc
{
public:
    CFontDesc(const std::string& name = "DejaVu Sans", CCoord size = 12,
              int32_t style = kNormalFace)
        : name(name), size(size), style(style)
    {
    }
    const std::string& getName() const { return name; }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }

private:
    std::string name;
    CCoord size;
    int32_t style;
};

using CFontRef = std::shared_ptr<CFontDesc>;

// The font views use when the description names none.
inline CFontRef kNormalFont()
{
    static CFontRef font = std::make_shared<CFontDesc>("DejaVu Sans", 12);
    return font;
}

// The desktop's regular font, for what belongs to the system rather than the
// design (the open list of a menu); fontconfig finds the nearest installed.
inline CFontRef kSystemFont()
{
    static CFontRef font = std::make_shared<CFontDesc>("Arial", 12);
    return font;
}

} // namespace VSTGUI
