#include "hostkit/x11/host_frame.h"

#include <algorithm>
#include <chrono>
#include <poll.h>

namespace ferrulith::host
{

using namespace Steinberg;

namespace
{
uint64_t nowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
} // namespace

tresult PLUGIN_API HostFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    return resizeWindowThenView(resizeWindow, view, newSize);
}

tresult PLUGIN_API HostFrame::registerEventHandler(Linux::IEventHandler* handler,
                                                   Linux::FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    events.push_back({handler, fd});
    return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterEventHandler(Linux::IEventHandler* handler)
{
    auto before = events.size();
    events.erase(std::remove_if(events.begin(), events.end(),
                                [&](const Event& e) { return e.handler.get() == handler; }),
                 events.end());
    return events.size() < before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API HostFrame::registerTimer(Linux::ITimerHandler* handler, Linux::TimerInterval ms)
{
    if (!handler || ms == 0)
        return kInvalidArgument;
    timers.push_back({handler, ms, nowMs() + ms});
    return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterTimer(Linux::ITimerHandler* handler)
{
    auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.handler.get() == handler; }),
                 timers.end());
    return timers.size() < before ? kResultOk : kResultFalse;
}

void HostFrame::dispatch(int timeoutMs, int extraFd)
{
    uint64_t now = nowMs();
    for (const auto& timer : timers)
        timeoutMs =
            std::min<int>(timeoutMs, static_cast<int>(timer.due > now ? timer.due - now : 0));
    std::vector<pollfd> fds;
    for (const auto& event : events)
        fds.push_back({event.fd, POLLIN, 0});
    if (extraFd >= 0)
        fds.push_back({extraFd, POLLIN, 0});
    poll(fds.data(), fds.size(), std::max(timeoutMs, 0));

    // Handlers may unregister themselves or others while called: work on
    // copies and skip whatever has gone meanwhile.
    auto readyEvents = events;
    for (size_t i = 0; i < readyEvents.size() && i < fds.size(); ++i)
    {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        bool stillThere =
            std::any_of(events.begin(), events.end(),
                        [&](const Event& e) { return e.handler == readyEvents[i].handler; });
        if (stillThere)
            readyEvents[i].handler->onFDIsSet(readyEvents[i].fd);
    }
    now = nowMs();
    auto dueTimers = timers;
    for (auto& timer : dueTimers)
    {
        if (timer.due > now)
            continue;
        auto it = std::find_if(timers.begin(), timers.end(),
                               [&](const Timer& t) { return t.handler == timer.handler; });
        if (it == timers.end())
            continue;
        it->due = now + it->interval;
        timer.handler->onTimer();
    }
}

} // namespace ferrulith::host
