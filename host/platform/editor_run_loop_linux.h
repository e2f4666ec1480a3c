#pragma once

// The frame a Linux host puts around a plug-in's editor: the IPlugFrame that
// takes the editor's resize requests, and the run loop (Linux::IRunLoop) on
// which the editor registers its X connection's descriptor and its timers. The
// host owns the one event loop: it calls runOnce, which waits on every
// registered descriptor and the next timer and calls their handlers on the
// host's own thread.

#include "vst_ptr.h"

#include "pluginterfaces/gui/iplugview.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

namespace ferrulith::host
{

class EditorRunLoop final : public Steinberg::IPlugFrame, public Steinberg::Linux::IRunLoop
{
public:
    // Asked to give the editor's window a new size; false refuses it.
    using ResizeWindow = std::function<bool(Steinberg::int32 width, Steinberg::int32 height)>;

    static VstPtr<EditorRunLoop> make(ResizeWindow resizeWindow);

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override;
    Steinberg::uint32 PLUGIN_API release() override;

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API
    registerTimer(Steinberg::Linux::ITimerHandler* handler,
                  Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    // Waits at most timeout for a registered descriptor, a due timer or the
    // host's own descriptor (hostFd, -1 for none), and serves what is ready.
    // True when hostFd is readable.
    bool runOnce(std::chrono::milliseconds timeout, int hostFd);

    std::size_t eventHandlerCount() const { return watches.size(); }
    std::size_t timerCount() const { return timers.size(); }

private:
    explicit EditorRunLoop(ResizeWindow resizeWindow) : resizeWindow(std::move(resizeWindow)) {}
    ~EditorRunLoop() = default;

    using Clock = std::chrono::steady_clock;
    struct Watch
    {
        VstPtr<Steinberg::Linux::IEventHandler> handler;
        int fd;
    };
    struct Timer
    {
        VstPtr<Steinberg::Linux::ITimerHandler> handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    void fireDueTimers();

    ResizeWindow resizeWindow;
    std::vector<Watch> watches;
    std::vector<Timer> timers;
    std::atomic<Steinberg::uint32> references{1};
};

} // namespace ferrulith::host
