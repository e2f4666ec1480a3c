#pragma once

// The reference counting that every object a host hands to a module shares,
// answering queryInterface for its one interface and FUnknown. An object made
// with makeHostObject is freed by its last release. One that lives elsewhere
// (on a test's stack) is only counted, so that a test can check that a module
// gave back every reference it took.

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
    virtual ~HostObject() = default;

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
        if (remaining == 0 && freedByLastRelease)
            delete this;
        return remaining;
    }

    // 1 while nobody but the maker holds the object.
    Steinberg::uint32 refCount() const { return references; }

private:
    template <class Object, class... Arguments>
    friend VstPtr<Object> makeHostObject(Arguments&&... arguments);

    std::atomic<Steinberg::uint32> references{1};
    bool freedByLastRelease = false;
};

// Makes a host object with the one reference that the returned pointer owns.
template <class Object, class... Arguments> VstPtr<Object> makeHostObject(Arguments&&... arguments)
{
    auto* object = new Object(std::forward<Arguments>(arguments)...);
    object->freedByLastRelease = true;
    return VstPtr<Object>::adopt(object);
}

} // namespace ferrulith::host
