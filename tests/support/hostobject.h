// A base for the host-side test objects: FUnknown for one interface, with a
// reference count that tests can read. The objects live on the test's stack or
// in its containers; the count never deletes them, so a test can check that a
// plug-in released every reference it took.
#pragma once

#include "pluginterfaces/base/funknown.h"

#include <atomic>

namespace ferrulith_test
{

template <typename Interface> class HostObject : public Interface
{
public:
    HostObject() = default;
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;
    virtual ~HostObject() = default;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
    {
        if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid) ||
            Steinberg::FUnknownPrivate::iidEqual(iid, Interface::iid))
        {
            addRef();
            *obj = static_cast<Interface*>(this);
            return Steinberg::kResultOk;
        }
        *obj = nullptr;
        return Steinberg::kNoInterface;
    }
    Steinberg::uint32 PLUGIN_API addRef() override { return ++refs; }
    Steinberg::uint32 PLUGIN_API release() override { return --refs; }

    // 1 while nobody but the owner holds the object.
    Steinberg::uint32 refCount() const { return refs; }

private:
    std::atomic<Steinberg::uint32> refs{1};
};

} // namespace ferrulith_test
