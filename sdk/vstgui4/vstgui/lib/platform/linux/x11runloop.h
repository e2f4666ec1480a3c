// The run loop an X11 frame relies on. The library never runs an event loop
// or thread of its own: whoever opens a frame (on a plug-in, the host through
// the editor binding) hands it a run loop that watches the X connection's
// file descriptor and fires timers on the UI thread.
#pragma once

#include "vstgui/lib/platform/iplatformframe.h"
#include <cstdint>

namespace VSTGUI
{
namespace X11
{

class IEventHandler
{
public:
    virtual ~IEventHandler() noexcept = default;
    // The watched file descriptor is readable.
    virtual void onEvent() = 0;
};

class ITimerHandler
{
public:
    virtual ~ITimerHandler() noexcept = default;
    virtual void onTimer() = 0;
};

class IRunLoop
{
public:
    virtual ~IRunLoop() noexcept = default;
    virtual bool registerEventHandler(int fd, IEventHandler* handler) = 0;
    virtual bool unregisterEventHandler(IEventHandler* handler) = 0;
    virtual bool registerTimer(uint64_t intervalMs, ITimerHandler* handler) = 0;
    virtual bool unregisterTimer(ITimerHandler* handler) = 0;
};

struct FrameConfig : IPlatformFrameConfig
{
    IRunLoop* runLoop{nullptr};
};

} // namespace X11
} // namespace VSTGUI
