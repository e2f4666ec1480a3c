// Mouse buttons held during an event, and what a view did with the event.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"

namespace VSTGUI
{

class CButtonState
{
public:
    CButtonState(int32_t state = 0) : state(state) {}
    bool isLeftButton() const { return (state & kLButton) != 0; }
    int32_t getButtonState() const { return state; }
    operator int32_t() const { return state; }

private:
    int32_t state;
};

enum CMouseEventResult
{
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents,
};

} // namespace VSTGUI
