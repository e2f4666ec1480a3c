// How a host window and the plug-in view inside it agree on a size. The rules
// are the same whatever makes the window; only the window calls differ.
#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <cstdint>
#include <functional>

namespace ferrulith::host
{

// Gives the host window a new size; false when it cannot take it.
using ResizeWindow = std::function<bool(int32_t width, int32_t height)>;

// IPlugFrame::resizeView: the view asked for a new size, so the window takes
// it first and the view is told after.
Steinberg::tresult resizeWindowThenView(const ResizeWindow& resizeWindow,
                                        Steinberg::IPlugView* view, Steinberg::ViewRect* newSize);

// Resizes as a user dragging the window would: the view's constraint first,
// then the frame (window, then view). False when the view is fixed or refuses.
bool resizeAsUser(Steinberg::IPlugView* view, Steinberg::IPlugFrame& frame, int32_t width,
                  int32_t height);

// The window now has this size (the user or a window manager changed it): a
// view that can resize follows, within its constraint.
void followWindowSize(Steinberg::IPlugView& view, int32_t width, int32_t height);

} // namespace ferrulith::host
