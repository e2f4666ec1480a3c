#include "hostkit/host_application.h"

#include "hostkit/text.h"

#include <algorithm>
#include <cstring>

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

template <class T> tresult HostAttributeList::store(AttrID id, T&& value)
{
    if (!id)
        return kInvalidArgument;
    try
    {
        values[id] = Value(std::forward<T>(value));
    }
    catch (...)
    {
        return kOutOfMemory;
    }
    return kResultOk;
}

template <class T> const T* HostAttributeList::find(AttrID id) const
{
    if (!id)
        return nullptr;
    const auto found = values.find(id);
    return found == values.end() ? nullptr : std::get_if<T>(&found->second);
}

tresult PLUGIN_API HostAttributeList::setInt(AttrID id, int64 value)
{
    return store(id, value);
}

tresult PLUGIN_API HostAttributeList::getInt(AttrID id, int64& value)
{
    const auto* found = find<int64>(id);
    if (!found)
        return kResultFalse;
    value = *found;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setFloat(AttrID id, double value)
{
    return store(id, value);
}

tresult PLUGIN_API HostAttributeList::getFloat(AttrID id, double& value)
{
    const auto* found = find<double>(id);
    if (!found)
        return kResultFalse;
    value = *found;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setString(AttrID id, const TChar* string)
{
    if (!string)
        return kInvalidArgument;
    return store(id, std::u16string(reinterpret_cast<const char16_t*>(string)));
}

tresult PLUGIN_API HostAttributeList::getString(AttrID id, TChar* string, uint32 sizeInBytes)
{
    const auto* found = find<std::u16string>(id);
    if (!found)
        return kResultFalse;
    const std::size_t capacity = sizeInBytes / sizeof(TChar);
    if (!string || capacity == 0)
        return kInvalidArgument;
    const std::size_t length = std::min(found->size(), capacity - 1);
    std::copy_n(found->data(), length, reinterpret_cast<char16_t*>(string));
    string[length] = 0;
    return kResultOk;
}

tresult PLUGIN_API HostAttributeList::setBinary(AttrID id, const void* data, uint32 sizeInBytes)
{
    if (!data && sizeInBytes > 0)
        return kInvalidArgument;
    const auto* first = static_cast<const std::uint8_t*>(data);
    return store(id, std::vector<std::uint8_t>(first, first + sizeInBytes));
}

tresult PLUGIN_API HostAttributeList::getBinary(AttrID id, const void*& data, uint32& sizeInBytes)
{
    const auto* found = find<std::vector<std::uint8_t>>(id);
    if (!found)
        return kResultFalse;
    data = found->data();
    sizeInBytes = uint32(found->size());
    return kResultOk;
}

HostMessage::HostMessage() : attributes(makeHostObject<HostAttributeList>()) {}

FIDString PLUGIN_API HostMessage::getMessageID()
{
    return hasId ? messageId.c_str() : nullptr;
}

void PLUGIN_API HostMessage::setMessageID(FIDString id)
{
    hasId = id != nullptr;
    messageId = id ? id : "";
}

tresult PLUGIN_API HostApplication::getName(String128 name)
{
    if (!name)
        return kInvalidArgument;
    utf16FromUtf8(kName, reinterpret_cast<char16_t*>(name), 128);
    return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID cid, TUID iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
    *obj = nullptr;
    if (!cid || !iid)
        return kInvalidArgument;
    try
    {
        if (sameIid(cid, iidOf<IMessage>()))
            return makeHostObject<HostMessage>()->queryInterface(iid, obj);
        if (sameIid(cid, iidOf<IAttributeList>()))
            return makeHostObject<HostAttributeList>()->queryInterface(iid, obj);
    }
    catch (...)
    {
        return kOutOfMemory;
    }
    return kResultFalse;
}

} // namespace ferrulith::host
