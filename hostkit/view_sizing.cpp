#include "hostkit/view_sizing.h"

namespace ferrulith::host
{

using namespace Steinberg;

tresult resizeWindowThenView(const ResizeWindow& resizeWindow, IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize)
        return kInvalidArgument;
    if (!resizeWindow(newSize->getWidth(), newSize->getHeight()))
        return kResultFalse;
    return view->onSize(newSize);
}

bool resizeAsUser(IPlugView* view, IPlugFrame& frame, int32_t width, int32_t height)
{
    if (!view || view->canResize() != kResultTrue)
        return false;
    ViewRect wanted(0, 0, width, height);
    if (view->checkSizeConstraint(&wanted) != kResultTrue)
        return false;
    return frame.resizeView(view, &wanted) == kResultTrue;
}

void followWindowSize(IPlugView& view, int32_t width, int32_t height)
{
    ViewRect current;
    view.getSize(&current);
    if (width == current.getWidth() && height == current.getHeight())
        return;
    if (view.canResize() != kResultTrue)
        return;
    ViewRect wanted(0, 0, width, height);
    view.checkSizeConstraint(&wanted);
    view.onSize(&wanted);
}

} // namespace ferrulith::host
