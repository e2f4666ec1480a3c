#pragma once

// An owning pointer to a reference-counted VST 3 interface, and the small
// helpers the host uses to ask objects for interfaces.

#include "pluginterfaces/base/funknown.h"

#include <cstring>
#include <utility>

namespace ferrulith::host
{

template <class Interface> const Steinberg::TUID& iidOf()
{
    return Interface::iid.toTUID();
}

inline bool sameIid(const Steinberg::TUID a, const Steinberg::TUID b)
{
    return std::memcmp(a, b, sizeof(Steinberg::TUID)) == 0;
}

template <class T> class VstPtr
{
public:
    VstPtr() = default;
    VstPtr(const VstPtr& other) : object(other.object)
    {
        if (object)
            object->addRef();
    }
    VstPtr(VstPtr&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    ~VstPtr() { reset(); }
    VstPtr& operator=(VstPtr other) noexcept
    {
        std::swap(object, other.object);
        return *this;
    }

    // Takes over a reference the caller already holds (a creation result).
    static VstPtr adopt(T* pointer)
    {
        VstPtr result;
        result.object = pointer;
        return result;
    }
    // Adds a reference of its own.
    static VstPtr share(T* pointer)
    {
        if (pointer)
            pointer->addRef();
        return adopt(pointer);
    }

    void reset()
    {
        if (auto* old = std::exchange(object, nullptr))
            old->release();
    }
    T* get() const { return object; }
    T* operator->() const { return object; }
    T& operator*() const { return *object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};

// Asks `object` for `Interface`; empty when the object does not offer it.
template <class Interface, class Source> VstPtr<Interface> queryInterface(Source* object)
{
    if (!object)
        return {};
    void* result = nullptr;
    if (object->queryInterface(iidOf<Interface>(), &result) != Steinberg::kResultOk || !result)
        return {};
    return VstPtr<Interface>::adopt(static_cast<Interface*>(result));
}

template <class Interface, class Source>
VstPtr<Interface> queryInterface(const VstPtr<Source>& object)
{
    return queryInterface<Interface>(object.get());
}

} // namespace ferrulith::host
