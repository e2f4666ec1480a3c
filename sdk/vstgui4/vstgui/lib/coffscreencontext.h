// Drawing into memory instead of a window, for pictures of views.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cpoint.h"
#include <functional>

namespace VSTGUI
{

class CDrawContext;

// Calls drawFunction with a context over a transparent surface of size (whole
// pixels) and returns what it drew; null when no surface could be made.
// Only a scale factor of 1 is supported.
CBitmapRef renderBitmapOffscreen(const CPoint& size, double scaleFactor,
                                 const std::function<void(CDrawContext& drawContext)> drawFunction);

} // namespace VSTGUI
