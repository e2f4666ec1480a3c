#pragma once

// The reference counting that every object the host hands to a module shares:
// made with one reference, freed when the last one goes, and answering
// queryInterface for its one interface and FUnknown.

#include "hostkit/vst_ptr.h"

#include <atomic>

namespace ferrulith::host
{

template <class Interface> class HostObject : public Interface
{
public:
    HostObject() = default;
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        if (!obj)
            return Steinberg::kInvalidArgument;
        if (iid && (sameIid(iid, iidOf<Interface>()) || sameIid(iid, iidOf<Steinberg::FUnknown>())))
        {
            addRef();
            *obj = static_cast<Interface*>(this);
            return Steinberg::kResultOk;
        }
        *obj = nullptr;
        return Steinberg::kNoInterface;
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return ++references; }
    Steinberg::uint32 PLUGIN_API release() override
    {
        const Steinberg::uint32 remaining = --references;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    virtual ~HostObject() = default;

private:
    std::atomic<Steinberg::uint32> references{1};
};

// Makes a host object with the one reference that the returned pointer owns.
template <class Object, class... Arguments> VstPtr<Object> makeHostObject(Arguments&&... arguments)
{
    return VstPtr<Object>::adopt(new Object(std::forward<Arguments>(arguments)...));
}

} // namespace ferrulith::host
