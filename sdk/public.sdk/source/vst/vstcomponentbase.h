// ComponentBase: what the processor and the controller of a plug-in share —
// the host context they are initialised with and the connection to their
// peer through which they exchange messages.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstmessage.h"

namespace Steinberg
{
namespace Vst
{

class ComponentBase : public FObject, public IPluginBase, public IConnectionPoint
{
public:
    ComponentBase() = default;
    ~ComponentBase() override = default;

    // IPluginBase: keeps the host context (a null one is accepted); refused
    // with kResultFalse while a context is already held.
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    // Releases the host context, disconnects and releases the peer.
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    // IConnectionPoint: one peer at a time.
    tresult PLUGIN_API connect(IConnectionPoint* other) SMTG_OVERRIDE;
    tresult PLUGIN_API disconnect(IConnectionPoint* other) SMTG_OVERRIDE;
    // Understands the text message of sendTextMessage and hands its text to
    // receiveText; answers kResultFalse to every other message.
    tresult PLUGIN_API notify(IMessage* message) SMTG_OVERRIDE;

    FUnknown* getHostContext() const { return hostContext; }
    IConnectionPoint* getPeer() const { return peerConnection; }

    // A new message from the host (the caller owns the reference), or null
    // when the host context is not an IHostApplication or makes none.
    IMessage* allocateMessage() const;
    // Hands the message to the peer; kResultFalse without a peer.
    tresult sendMessage(IMessage* message) const;
    // Sends UTF-8 text (cut to 255 UTF-16 units) to the peer.
    tresult sendTextMessage(const char8* text) const;
    // Receives the text of a text message from the peer.
    virtual tresult receiveText(const char8* text);

    OBJ_METHODS(ComponentBase, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPluginBase)
    DEF_INTERFACE(IConnectionPoint)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

protected:
    IPtr<FUnknown> hostContext;
    IPtr<IConnectionPoint> peerConnection;
};

} // namespace Vst
} // namespace Steinberg
