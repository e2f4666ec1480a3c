// The base of VSTGUI editors: an EditorView that owns a CFrame, opens it in
// the host's window on attach and closes it on remove.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/vstguieditorinterface.h"
#include <memory>

namespace VSTGUI
{
class X11RunLoopAdapter;
}

namespace Steinberg
{
namespace Vst
{

class VSTGUIEditor : public EditorView, public VSTGUI::VSTGUIEditorInterface
{
public:
    VSTGUIEditor(EditController* controller, ViewRect* size = nullptr);
    ~VSTGUIEditor() override;

    // Builds and opens the frame in parent; false when it cannot.
    virtual bool PLUGIN_API open(void* parent, const VSTGUI::PlatformType& type) = 0;
    // Closes and frees the frame.
    virtual void PLUGIN_API close() = 0;

    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;

    // Follows the mode the host gave the controller through setKnobMode.
    VSTGUI::KnobMode getKnobMode() const override;

protected:
    // The platform settings for opening the frame (on Linux: the host's run
    // loop, from the IPlugFrame); null when the host gave none.
    VSTGUI::IPlatformFrameConfig* getFrameConfig();

private:
    std::unique_ptr<VSTGUI::X11RunLoopAdapter> runLoop;
    std::unique_ptr<VSTGUI::IPlatformFrameConfig> frameConfig;
};

} // namespace Vst
} // namespace Steinberg
