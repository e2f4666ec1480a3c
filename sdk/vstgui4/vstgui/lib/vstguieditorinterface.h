// What a frame knows of the editor that owns it.
#pragma once

#include "vstgui/lib/vstguifwd.h"

namespace VSTGUI
{

class VSTGUIEditorInterface
{
public:
    virtual ~VSTGUIEditorInterface() noexcept = default;
    virtual CFrame* getFrame() const { return frame; }

protected:
    CFrame* frame{nullptr};
};

} // namespace VSTGUI
