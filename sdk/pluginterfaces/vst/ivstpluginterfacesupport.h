// Lets a plug-in ask the host whether it supports a given plug-in interface.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace Steinberg
{
namespace Vst
{

class IPlugInterfaceSupport : public FUnknown
{
public:
    virtual tresult PLUGIN_API isPlugInterfaceSupported(const TUID _iid) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IPlugInterfaceSupport, 0x4FB58B9E, 0x9EAA4E0F, 0xAB361C1C, 0xCCB56FEA)

} // namespace Vst
} // namespace Steinberg
