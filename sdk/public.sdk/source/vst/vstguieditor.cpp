#include "public.sdk/source/vst/vstguieditor.h"

#include "vstgui/plugin-bindings/x11runloopadapter.h"
#include <cstring>

namespace Steinberg
{
namespace Vst
{

namespace
{
bool isX11(FIDString type)
{
    return type && std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0;
}
} // namespace

VSTGUIEditor::VSTGUIEditor(EditController* controller, ViewRect* size)
    : EditorView(controller, size)
{
}

VSTGUIEditor::~VSTGUIEditor() = default;

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type)
{
    return isX11(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (!parent || !isX11(type))
        return kInvalidArgument;
    if (isAttached())
        return kResultFalse;
    tresult failure = kResultFalse;
    bool opened = false;
    try
    {
        opened = open(parent, VSTGUI::PlatformType::kX11EmbedWindowID);
    }
    catch (...)
    {
        // Out of memory while building the editor: nothing half made stays.
        close();
        failure = kOutOfMemory;
    }
    if (!opened)
    {
        frameConfig.reset();
        runLoop.reset();
        return failure;
    }
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed()
{
    if (!isAttached())
        return kResultFalse;
    close();
    // The frame has unregistered itself from the run loop by now.
    frameConfig.reset();
    runLoop.reset();
    return EditorView::removed();
}

VSTGUI::KnobMode VSTGUIEditor::getKnobMode() const
{
    switch (EditController::getHostKnobMode())
    {
    case kRelativCircularMode:
        return VSTGUI::kRelativCircularMode;
    case kLinearMode:
        return VSTGUI::kLinearMode;
    default:
        return VSTGUI::kCircularMode;
    }
}

VSTGUI::IPlatformFrameConfig* VSTGUIEditor::getFrameConfig()
{
    if (frameConfig)
        return frameConfig.get();
    FUnknownPtr<Linux::IRunLoop> hostRunLoop(plugFrame);
    if (!hostRunLoop)
        return nullptr;
    runLoop = std::make_unique<VSTGUI::X11RunLoopAdapter>(hostRunLoop);
    auto config = std::make_unique<VSTGUI::X11::FrameConfig>();
    config->runLoop = runLoop.get();
    frameConfig = std::move(config);
    return frameConfig.get();
}

} // namespace Vst
} // namespace Steinberg
