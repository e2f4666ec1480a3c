#include "public.sdk/source/vst/vstcomponentbase.h"

#include "pluginterfaces/vst/ivsthostapplication.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

#include <cstring>
#include <string>

namespace Steinberg
{
namespace Vst
{

namespace
{
const char8* const kTextMessageID = "TextMessage";
const char8* const kTextAttribute = "Text";
const int32 kMaxTextUnits = 255;
} // namespace

tresult PLUGIN_API ComponentBase::initialize(FUnknown* context)
{
    if (hostContext)
        return kResultFalse;
    hostContext = context;
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::terminate()
{
    hostContext = nullptr;
    // The host should have disconnected us; if not, let the peer know. The
    // peer is released only after the call, which may come back to us.
    if (peerConnection)
    {
        IPtr<IConnectionPoint> peer = std::move(peerConnection);
        peer->disconnect(this);
    }
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::connect(IConnectionPoint* other)
{
    if (!other)
        return kInvalidArgument;
    if (peerConnection)
        return kResultFalse;
    peerConnection = other;
    return kResultOk;
}

tresult PLUGIN_API ComponentBase::disconnect(IConnectionPoint* other)
{
    if (peerConnection && other == peerConnection.get())
    {
        peerConnection = nullptr;
        return kResultOk;
    }
    return kResultFalse;
}

tresult PLUGIN_API ComponentBase::notify(IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    const FIDString id = message->getMessageID();
    if (!id || std::strcmp(id, kTextMessageID) != 0)
        return kResultFalse;
    IAttributeList* attributes = message->getAttributes();
    if (!attributes)
        return kResultFalse;
    TChar text[kMaxTextUnits + 1] = {};
    if (attributes->getString(kTextAttribute, text, sizeof(text)) != kResultOk)
        return kResultFalse;
    text[kMaxTextUnits] = 0; // the host may have filled the whole buffer
    try
    {
        return receiveText(Steinberg::Vst::StringConvert::convert(text).c_str());
    }
    catch (...)
    {
        return kOutOfMemory;
    }
}

IMessage* ComponentBase::allocateMessage() const
{
    FUnknownPtr<IHostApplication> host(hostContext);
    return host ? Vst::allocateMessage(host) : nullptr;
}

tresult ComponentBase::sendMessage(IMessage* message) const
{
    if (message && peerConnection)
        return peerConnection->notify(message);
    return kResultFalse;
}

tresult ComponentBase::sendTextMessage(const char8* text) const
{
    if (!text)
        return kInvalidArgument;
    IPtr<IMessage> message = owned(allocateMessage());
    if (!message)
        return kResultFalse;
    IAttributeList* attributes = message->getAttributes();
    if (!attributes)
        return kResultFalse;
    message->setMessageID(kTextMessageID);
    TChar text16[kMaxTextUnits + 1];
    Steinberg::Vst::StringConvert::convert(text, text16, kMaxTextUnits + 1);
    attributes->setString(kTextAttribute, text16);
    return sendMessage(message);
}

tresult ComponentBase::receiveText(const char8* /*text*/)
{
    return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
