#pragma once

// The host context handed to `initialize`: the host's name, and the message
// and attribute-list objects that a processor and its controller use to talk
// through IConnectionPoint.

#include "hostkit/host_object.h"

#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace ferrulith::host
{

class HostAttributeList final : public HostObject<Steinberg::Vst::IAttributeList>
{
public:
    using AttrID = Steinberg::Vst::IAttributeList::AttrID;

    Steinberg::tresult PLUGIN_API setInt(AttrID id, Steinberg::int64 value) override;
    Steinberg::tresult PLUGIN_API getInt(AttrID id, Steinberg::int64& value) override;
    Steinberg::tresult PLUGIN_API setFloat(AttrID id, double value) override;
    Steinberg::tresult PLUGIN_API getFloat(AttrID id, double& value) override;
    Steinberg::tresult PLUGIN_API setString(AttrID id,
                                            const Steinberg::Vst::TChar* string) override;
    // Copies as much as fits in `sizeInBytes`, always terminated.
    Steinberg::tresult PLUGIN_API getString(AttrID id, Steinberg::Vst::TChar* string,
                                            Steinberg::uint32 sizeInBytes) override;
    Steinberg::tresult PLUGIN_API setBinary(AttrID id, const void* data,
                                            Steinberg::uint32 sizeInBytes) override;
    // The data stays owned by the list and valid until the attribute changes.
    Steinberg::tresult PLUGIN_API getBinary(AttrID id, const void*& data,
                                            Steinberg::uint32& sizeInBytes) override;

private:
    using Value = std::variant<Steinberg::int64, double, std::u16string, std::vector<std::uint8_t>>;
    template <class T> Steinberg::tresult store(AttrID id, T&& value);
    template <class T> const T* find(AttrID id) const;

    std::map<std::string, Value> values;
};

class HostMessage final : public HostObject<Steinberg::Vst::IMessage>
{
public:
    HostMessage();

    Steinberg::FIDString PLUGIN_API getMessageID() override;
    void PLUGIN_API setMessageID(Steinberg::FIDString id) override;
    Steinberg::Vst::IAttributeList* PLUGIN_API getAttributes() override { return attributes.get(); }

private:
    std::string messageId;
    bool hasId = false;
    VstPtr<HostAttributeList> attributes;
};

class HostApplication final : public HostObject<Steinberg::Vst::IHostApplication>
{
public:
    static constexpr const char* kName = "Ferrulith host";

    Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
    // Makes messages and attribute lists, the objects a module may ask its
    // host for; every other class is refused.
    Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid,
                                                 void** obj) override;
};

} // namespace ferrulith::host
