// A point in view coordinates (pixels, y grows downwards).
#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI
{

struct CPoint
{
    CPoint() = default;
    CPoint(CCoord x, CCoord y) : x(x), y(y) {}

    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }

    CCoord x{0};
    CCoord y{0};
};

} // namespace VSTGUI
