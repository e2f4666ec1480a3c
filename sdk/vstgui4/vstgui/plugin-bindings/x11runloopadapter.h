// Serves the editor library's X11 run loop through the host's VST 3 run loop
// (Steinberg::Linux::IRunLoop), wrapping each handler in the VST 3 object the
// host calls back.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/platform/linux/x11runloop.h"
#include <memory>
#include <vector>

namespace VSTGUI
{

class X11RunLoopAdapter final : public X11::IRunLoop
{
public:
    explicit X11RunLoopAdapter(Steinberg::Linux::IRunLoop* hostRunLoop);
    ~X11RunLoopAdapter() noexcept override;

    bool registerEventHandler(int fd, X11::IEventHandler* handler) override;
    bool unregisterEventHandler(X11::IEventHandler* handler) override;
    bool registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler) override;
    bool unregisterTimer(X11::ITimerHandler* handler) override;

    class EventHandler;
    class TimerHandler;

private:
    Steinberg::IPtr<Steinberg::Linux::IRunLoop> hostRunLoop;
    std::vector<Steinberg::IPtr<EventHandler>> eventHandlers;
    std::vector<Steinberg::IPtr<TimerHandler>> timerHandlers;
};

} // namespace VSTGUI
