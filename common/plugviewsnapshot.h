// How the project's host asks the plug-in's editor for a picture without any
// display: through queryInterface on the IPlugView with IPlugViewSnapshot_iid.
// Hosts fall back to capturing the window when a view lacks it.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace quorvelware
{

class IPlugViewSnapshot : public Steinberg::FUnknown
{
public:
    // Draws the editor at its current size into the PNG file at path (UTF-8):
    // kResultOk when written, kResultFalse when the editor has nothing to draw
    // or the file cannot be written, kInvalidArgument for a null path.
    virtual Steinberg::tresult PLUGIN_API drawToPNG(const char* path) = 0;

    static const Steinberg::FUID iid;
};

DECLARE_CLASS_IID(IPlugViewSnapshot, 0x0F16FB63, 0x82FB4911, 0xBBA0B649, 0xCB337A1F)

// What a host calls: kNoInterface when the view offers no picture, else the
// answer of its drawToPNG.
inline Steinberg::tresult drawPlugViewToPNG(Steinberg::FUnknown& view, const char* path)
{
    // Asked by its own identifier: the iid member is defined in the plug-in
    // only.
    void* found = nullptr;
    if (view.queryInterface(IPlugViewSnapshot_iid, &found) != Steinberg::kResultOk ||
        found == nullptr)
        return Steinberg::kNoInterface;
    auto* snapshot = static_cast<IPlugViewSnapshot*>(found);
    const Steinberg::tresult result = snapshot->drawToPNG(path);
    snapshot->release();
    return result;
}

} // namespace quorvelware
