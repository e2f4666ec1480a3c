// What a frame knows of the editor that owns it.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

// How knobs follow the mouse. Circular and relative circular both follow the
// pointer's angle around the knob's centre; linear follows its distance up
// and to the right from where the drag began.
enum KnobMode : int32_t
{
    kCircularMode = 0,
    kRelativCircularMode,
    kLinearMode,
};

class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface() noexcept = default;
    virtual CFrame* getFrame() const { return frame; }
    // The knob mode the host asked for.
    virtual KnobMode getKnobMode() const { return kCircularMode; }
    // Called regularly on the editor's thread while its frame is open.
    virtual void onIdle() {}

protected:
    CFrame* frame{nullptr};
};

} // namespace VSTGUI
