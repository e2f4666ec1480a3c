#include "platform/editor_run_loop_linux.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace ferrulith::host
{

using namespace Steinberg;

VstPtr<EditorRunLoop> EditorRunLoop::make(ResizeWindow resizeWindow)
{
    return VstPtr<EditorRunLoop>::adopt(new EditorRunLoop(std::move(resizeWindow)));
}

tresult PLUGIN_API EditorRunLoop::queryInterface(const TUID iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!iid)
        return kInvalidArgument;
    if (sameIid(iid, iidOf<IPlugFrame>()) || sameIid(iid, iidOf<FUnknown>()))
        *obj = static_cast<IPlugFrame*>(this);
    else if (sameIid(iid, iidOf<Linux::IRunLoop>()))
        *obj = static_cast<Linux::IRunLoop*>(this);
    else
        return kNoInterface;
    addRef();
    return kResultOk;
}

uint32 PLUGIN_API EditorRunLoop::addRef()
{
    return ++references;
}

uint32 PLUGIN_API EditorRunLoop::release()
{
    const uint32 remaining = --references;
    if (remaining == 0)
        delete this;
    return remaining;
}

tresult PLUGIN_API EditorRunLoop::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || !newSize || newSize->getWidth() <= 0 || newSize->getHeight() <= 0)
        return kInvalidArgument;
    if (resizeWindow && !resizeWindow(newSize->getWidth(), newSize->getHeight()))
        return kResultFalse;
    return view->onSize(newSize);
}

tresult PLUGIN_API EditorRunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                       Linux::FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    watches.push_back({VstPtr<Linux::IEventHandler>::share(handler), fd});
    return kResultOk;
}

tresult PLUGIN_API EditorRunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto before = watches.size();
    watches.erase(std::remove_if(watches.begin(), watches.end(),
                                 [handler](const Watch& w) { return w.handler.get() == handler; }),
                  watches.end());
    return watches.size() != before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API EditorRunLoop::registerTimer(Linux::ITimerHandler* handler,
                                                Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0)
        return kInvalidArgument;
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back(
        {VstPtr<Linux::ITimerHandler>::share(handler), interval, Clock::now() + interval});
    return kResultOk;
}

tresult PLUGIN_API EditorRunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    const auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [handler](const Timer& t) { return t.handler.get() == handler; }),
                 timers.end());
    return timers.size() != before ? kResultOk : kResultFalse;
}

void EditorRunLoop::fireDueTimers()
{
    // Handlers may register or unregister while they run: work from a copy,
    // and skip a timer that went away meanwhile.
    const auto now = Clock::now();
    std::vector<VstPtr<Linux::ITimerHandler>> due;
    for (auto& timer : timers)
        if (timer.due <= now)
        {
            due.push_back(timer.handler);
            timer.due = now + timer.interval;
        }
    for (auto& handler : due)
    {
        const bool stillRegistered =
            std::any_of(timers.begin(), timers.end(),
                        [&](const Timer& t) { return t.handler.get() == handler.get(); });
        if (stillRegistered)
            handler->onTimer();
    }
}

bool EditorRunLoop::runOnce(std::chrono::milliseconds timeout, int hostFd)
{
    auto wait = timeout;
    const auto now = Clock::now();
    for (const auto& timer : timers)
    {
        const auto untilDue =
            std::chrono::duration_cast<std::chrono::milliseconds>(timer.due - now);
        wait = std::max(std::chrono::milliseconds(0), std::min(wait, untilDue));
    }

    std::vector<pollfd> fds;
    for (const auto& watch : watches)
        fds.push_back({watch.fd, POLLIN, 0});
    if (hostFd >= 0)
        fds.push_back({hostFd, POLLIN, 0});
    const int ready = poll(fds.data(), fds.size(), static_cast<int>(wait.count()));

    bool hostReady = false;
    if (ready > 0)
    {
        std::vector<std::pair<VstPtr<Linux::IEventHandler>, int>> readyHandlers;
        for (std::size_t i = 0; i < fds.size(); ++i)
        {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            if (i < watches.size())
                readyHandlers.emplace_back(watches[i].handler, watches[i].fd);
            else
                hostReady = true;
        }
        for (auto& [handler, fd] : readyHandlers)
        {
            const bool stillRegistered =
                std::any_of(watches.begin(), watches.end(),
                            [&](const Watch& w) { return w.handler.get() == handler.get(); });
            if (stillRegistered)
                handler->onFDIsSet(fd);
        }
    }
    fireDueTimers();
    return hostReady;
}

} // namespace ferrulith::host
