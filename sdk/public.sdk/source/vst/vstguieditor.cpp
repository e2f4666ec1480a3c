#include "public.sdk/source/vst/vstguieditor.h"

#if SMTG_OS_LINUX
#include "vstgui/plugin-bindings/x11runloopadapter.h"
#endif
#include <cstring>

namespace Steinberg
{
namespace Vst
{

namespace
{
// The one window type the platform's frames open in.
#if SMTG_OS_WINDOWS
const FIDString kNativeType = kPlatformTypeHWND;
constexpr auto kNativePlatformType = VSTGUI::PlatformType::kHWND;
#else
const FIDString kNativeType = kPlatformTypeX11EmbedWindowID;
constexpr auto kNativePlatformType = VSTGUI::PlatformType::kX11EmbedWindowID;
#endif

bool isNative(FIDString type)
{
    return type && std::strcmp(type, kNativeType) == 0;
}
} // namespace

VSTGUIEditor::VSTGUIEditor(EditController* controller, ViewRect* size)
    : EditorView(controller, size)
{
}

VSTGUIEditor::~VSTGUIEditor() = default;

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type)
{
    return isNative(type) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (!parent || !isNative(type))
        return kInvalidArgument;
    if (isAttached())
        return kResultFalse;
    tresult failure = kResultFalse;
    bool opened = false;
    try
    {
        opened = open(parent, kNativePlatformType);
    }
    catch (...)
    {
        // Out of memory while building the editor: nothing half made stays.
        close();
        failure = kOutOfMemory;
    }
    if (!opened)
    {
        releaseFrameConfig();
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
    releaseFrameConfig();
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

void VSTGUIEditor::releaseFrameConfig()
{
    frameConfig.reset();
#if SMTG_OS_LINUX
    runLoop.reset();
#endif
}

VSTGUI::IPlatformFrameConfig* VSTGUIEditor::getFrameConfig()
{
#if SMTG_OS_LINUX
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
#else
    // Windows frames need nothing from the host but the parent window.
    return nullptr;
#endif
}

} // namespace Vst
} // namespace Steinberg
