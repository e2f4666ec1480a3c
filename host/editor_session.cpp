#include "editor_session.h"

#include "host_error.h"
#include "platform/editor_run_loop_linux.h"
#include "platform/editor_window_x11.h"

#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstdint>
#include <ostream>

namespace ferrulith::host
{

namespace
{

using Clock = std::chrono::steady_clock;

// Time the editor gets to draw itself before its picture is taken.
constexpr auto kSettleTime = std::chrono::milliseconds(400);
constexpr auto kSliceTime = std::chrono::milliseconds(20);

// Keeps an attached view attached only as long as this lives.
class Attachment
{
public:
    Attachment(Steinberg::IPlugView& view, EditorWindow& window) : view(view)
    {
        void* parent = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.id()));
        if (view.attached(parent, Steinberg::kPlatformTypeX11EmbedWindowID) != Steinberg::kResultOk)
            throw HostError("the editor would not attach to the host's window");
    }
    ~Attachment() { view.removed(); }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

private:
    Steinberg::IPlugView& view;
};

// Gives the view its frame while this lives.
class FrameBinding
{
public:
    FrameBinding(Steinberg::IPlugView& view, Steinberg::IPlugFrame* frame) : view(view)
    {
        view.setFrame(frame);
    }
    ~FrameBinding() { view.setFrame(nullptr); }
    FrameBinding(const FrameBinding&) = delete;
    FrameBinding& operator=(const FrameBinding&) = delete;

private:
    Steinberg::IPlugView& view;
};

} // namespace

void runEditor(PluginInstance& instance, const EditorOptions& options, std::ostream& out)
{
    auto view = VstPtr<Steinberg::IPlugView>::adopt(instance.controller()->createView("editor"));
    if (!view)
        throw HostError("the plug-in has no editor");
    if (view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID) !=
        Steinberg::kResultTrue)
        throw HostError("the plug-in's editor cannot live in an X11 window");

    Steinberg::ViewRect size;
    if (view->getSize(&size) != Steinberg::kResultOk || size.getWidth() <= 0 ||
        size.getHeight() <= 0)
        throw HostError("the plug-in's editor reports no size");

    std::string error;
    auto window = EditorWindow::open(size.getWidth(), size.getHeight(), "Ferrulith", error);
    if (!window)
        throw HostError(error);
    if (view->canResize() != Steinberg::kResultTrue)
        window->setSizeLimits(size.getWidth(), size.getHeight(), size.getWidth(), size.getHeight());

    EditorWindow* windowPointer = window.get();
    auto runLoop =
        EditorRunLoop::make([windowPointer](Steinberg::int32 width, Steinberg::int32 height)
                            { return windowPointer->resize(width, height); });

    const FrameBinding frame(*view, runLoop.get());
    const Attachment attachment(*view, *window);
    out << "Editor open: " << size.getWidth() << " x " << size.getHeight() << "\n" << std::flush;

    const auto opened = Clock::now();
    const auto deadline = options.seconds
                              ? opened + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(*options.seconds))
                              : Clock::time_point::max();
    bool pictureTaken = options.pictureFile.empty();
    while (Clock::now() < deadline)
    {
        runLoop->runOnce(kSliceTime, window->fd());
        if (!window->handleEvents())
            break;
        if (!pictureTaken && Clock::now() - opened >= kSettleTime)
        {
            window->sync();
            if (!window->writePNG(options.pictureFile, error))
                throw HostError(error);
            out << "Wrote " << options.pictureFile << "\n" << std::flush;
            pictureTaken = true;
            if (options.closeAfterPicture)
                break;
        }
    }
    if (!pictureTaken)
        throw HostError("the editor closed before its picture was taken");
}

} // namespace ferrulith::host
