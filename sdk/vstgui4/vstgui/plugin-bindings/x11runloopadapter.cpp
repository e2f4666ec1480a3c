#include "vstgui/plugin-bindings/x11runloopadapter.h"

#include "base/source/fobject.h"
#include <algorithm>

namespace VSTGUI
{

using namespace Steinberg;

class X11RunLoopAdapter::EventHandler final : public FObject, public Linux::IEventHandler
{
public:
    explicit EventHandler(X11::IEventHandler* handler) : handler(handler) {}
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override
    {
        if (handler)
            handler->onEvent();
    }
    X11::IEventHandler* handler;

    OBJ_METHODS(EventHandler, FObject)
    FUNKNOWN_METHODS(Linux::IEventHandler, FObject)
};

class X11RunLoopAdapter::TimerHandler final : public FObject, public Linux::ITimerHandler
{
public:
    explicit TimerHandler(X11::ITimerHandler* handler) : handler(handler) {}
    void PLUGIN_API onTimer() override
    {
        if (handler)
            handler->onTimer();
    }
    X11::ITimerHandler* handler;

    OBJ_METHODS(TimerHandler, FObject)
    FUNKNOWN_METHODS(Linux::ITimerHandler, FObject)
};

X11RunLoopAdapter::X11RunLoopAdapter(Linux::IRunLoop* hostRunLoop) : hostRunLoop(hostRunLoop) {}

X11RunLoopAdapter::~X11RunLoopAdapter() noexcept
{
    for (auto& handler : eventHandlers)
    {
        handler->handler = nullptr;
        hostRunLoop->unregisterEventHandler(handler);
    }
    for (auto& handler : timerHandlers)
    {
        handler->handler = nullptr;
        hostRunLoop->unregisterTimer(handler);
    }
}

bool X11RunLoopAdapter::registerEventHandler(int fd, X11::IEventHandler* handler)
{
    if (!hostRunLoop || !handler)
        return false;
    IPtr<EventHandler> wrapper(new EventHandler(handler), false);
    if (hostRunLoop->registerEventHandler(wrapper, fd) != kResultOk)
        return false;
    eventHandlers.push_back(wrapper);
    return true;
}

bool X11RunLoopAdapter::unregisterEventHandler(X11::IEventHandler* handler)
{
    auto it = std::find_if(eventHandlers.begin(), eventHandlers.end(),
                           [&](const auto& wrapper) { return wrapper->handler == handler; });
    if (it == eventHandlers.end())
        return false;
    // The host may still hold the wrapper: make it harmless first.
    (*it)->handler = nullptr;
    hostRunLoop->unregisterEventHandler(*it);
    eventHandlers.erase(it);
    return true;
}

bool X11RunLoopAdapter::registerTimer(uint64_t intervalMs, X11::ITimerHandler* handler)
{
    if (!hostRunLoop || !handler)
        return false;
    IPtr<TimerHandler> wrapper(new TimerHandler(handler), false);
    if (hostRunLoop->registerTimer(wrapper, intervalMs) != kResultOk)
        return false;
    timerHandlers.push_back(wrapper);
    return true;
}

bool X11RunLoopAdapter::unregisterTimer(X11::ITimerHandler* handler)
{
    auto it = std::find_if(timerHandlers.begin(), timerHandlers.end(),
                           [&](const auto& wrapper) { return wrapper->handler == handler; });
    if (it == timerHandlers.end())
        return false;
    (*it)->handler = nullptr;
    hostRunLoop->unregisterTimer(*it);
    timerHandlers.erase(it);
    return true;
}

} // namespace VSTGUI
