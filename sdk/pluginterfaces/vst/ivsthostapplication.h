// IHostApplication, the context a host passes to initialize: its name and a
// way to create host objects such as messages.
#pragma once

#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg
{
namespace Vst
{

class IHostApplication : public FUnknown
{
public:
    virtual tresult PLUGIN_API getName(String128 name) = 0;
    virtual tresult PLUGIN_API createInstance(TUID cid, TUID _iid, void** obj) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IHostApplication, 0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5)

// Asks the host for a new message; null when the host cannot make one.
inline IMessage* allocateMessage(IHostApplication* host)
{
    if (!host)
        return nullptr;
    TUID iid;
    IMessage::iid.toTUID(iid);
    void* message = nullptr;
    if (host->createInstance(iid, iid, &message) == kResultOk)
        return static_cast<IMessage*>(message);
    return nullptr;
}

} // namespace Vst
} // namespace Steinberg
