#include "public.sdk/source/vst/vstcomponentbase.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

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

// UTF-8 to UTF-16, at most maxUnits units, never splitting a surrogate pair.
// Malformed bytes become U+FFFD.
std::u16string toUtf16(const char8* text, int32 maxUnits)
{
    std::u16string out;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    while (*s)
    {
        uint32 cp = 0xFFFD;
        int length = 1;
        if (*s < 0x80)
            cp = *s;
        else if ((*s & 0xE0) == 0xC0)
            length = 2, cp = *s & 0x1F;
        else if ((*s & 0xF0) == 0xE0)
            length = 3, cp = *s & 0x0F;
        else if ((*s & 0xF8) == 0xF0)
            length = 4, cp = *s & 0x07;
        for (int i = 1; i < length; ++i)
        {
            if ((s[i] & 0xC0) != 0x80)
            {
                cp = 0xFFFD;
                length = i;
                break;
            }
            cp = (cp << 6) | (s[i] & 0x3F);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        s += length;
        const int32 units = cp >= 0x10000 ? 2 : 1;
        if (static_cast<int32>(out.size()) + units > maxUnits)
            break;
        if (units == 2)
        {
            cp -= 0x10000;
            out.push_back(static_cast<char16>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16>(0xDC00 + (cp & 0x3FF)));
        }
        else
            out.push_back(static_cast<char16>(cp));
    }
    return out;
}

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string toUtf8(const char16* text)
{
    std::string out;
    for (; *text; ++text)
    {
        uint32 cp = *text;
        if (cp >= 0xD800 && cp <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[1] - 0xDC00);
            ++text;
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        if (cp < 0x80)
            out.push_back(static_cast<char>(cp));
        else if (cp < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
        else if (cp < 0x10000)
        {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
        else
        {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
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
    return receiveText(toUtf8(text).c_str());
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
    attributes->setString(kTextAttribute, toUtf16(text, kMaxTextUnits).c_str());
    return sendMessage(message);
}

tresult ComponentBase::receiveText(const char8* /*text*/)
{
    return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
