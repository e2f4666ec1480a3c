// The IPlugFrame and Linux::IRunLoop a hosted view talks to.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "hostkit/view_sizing.h"
#include "pluginterfaces/gui/iplugview.h"
#include <functional>
#include <vector>

namespace ferrulith::host
{

class HostFrame final : public Steinberg::FObject,
                        public Steinberg::IPlugFrame,
                        public Steinberg::Linux::IRunLoop
{
public:
    explicit HostFrame(ResizeWindow resizeWindow) : resizeWindow(std::move(resizeWindow)) {}

    // Waits up to timeoutMs (also watching extraFd), then calls the handlers
    // whose descriptors are readable and the timers that are due.
    void dispatch(int timeoutMs, int extraFd);
    size_t handlerCount() const { return events.size() + timers.size(); }

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;
    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval ms) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    OBJ_METHODS(HostFrame, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::IPlugFrame)
    DEF_INTERFACE(Steinberg::Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    struct Event
    {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer
    {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        uint64_t interval;
        uint64_t due;
    };
    ResizeWindow resizeWindow;
    std::vector<Event> events;
    std::vector<Timer> timers;
};

} // namespace ferrulith::host
