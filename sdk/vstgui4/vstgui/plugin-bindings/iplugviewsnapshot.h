// An extension of this editor library that the official VSTGUI does not have:
// a host that holds only the IPlugView can ask it, through queryInterface
// with IPlugViewSnapshot_iid, to draw itself into a PNG file without any
// display. Hosts fall back to capturing the window when a view lacks it.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace VSTGUI
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

} // namespace VSTGUI
