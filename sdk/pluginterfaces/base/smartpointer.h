// Reference-counting smart pointers for interfaces.
#pragma once

#include "pluginterfaces/base/fplatform.h"

#include <utility>

namespace Steinberg
{

// Holds one reference to an interface. Construction from a raw pointer adds a
// reference unless told not to (see owned()).
template <class I> class IPtr
{
public:
    inline IPtr(I* ptr, bool addRef) : ptr(ptr)
    {
        if (ptr && addRef)
            ptr->addRef();
    }
    inline IPtr(I* ptr) : IPtr(ptr, true) {}
    inline IPtr() : ptr(nullptr) {}
    inline IPtr(const IPtr& other) : IPtr(other.ptr, true) {}
    template <class T> inline IPtr(const IPtr<T>& other) : IPtr(other.get(), true) {}
    inline IPtr(IPtr&& other) noexcept : ptr(other.ptr) { other.ptr = nullptr; }
    template <class T> inline IPtr(IPtr<T>&& other) noexcept : ptr(other.take()) {}
    inline ~IPtr()
    {
        if (ptr)
            ptr->release();
    }

    inline I* operator=(I* newPtr)
    {
        if (newPtr != ptr)
        {
            if (newPtr)
                newPtr->addRef();
            I* old = ptr;
            ptr = newPtr;
            if (old)
                old->release();
        }
        return ptr;
    }
    inline IPtr& operator=(const IPtr& other)
    {
        operator=(other.ptr);
        return *this;
    }
    template <class T> inline IPtr& operator=(const IPtr<T>& other)
    {
        operator=(other.get());
        return *this;
    }
    inline IPtr& operator=(IPtr&& other) noexcept
    {
        if (this != &other)
        {
            I* old = ptr;
            ptr = other.ptr;
            other.ptr = nullptr;
            if (old)
                old->release();
        }
        return *this;
    }
    template <class T> inline IPtr& operator=(IPtr<T>&& other) noexcept
    {
        I* old = ptr;
        ptr = other.take();
        if (old)
            old->release();
        return *this;
    }

    inline operator I*() const { return ptr; }
    inline I* operator->() const { return ptr; }
    inline I* get() const { return ptr; }

    // Gives up the reference without releasing it.
    inline I* take()
    {
        I* result = ptr;
        ptr = nullptr;
        return result;
    }
    // Adopts a pointer whose reference the caller already owns.
    inline void reset(I* obj = nullptr)
    {
        I* old = ptr;
        ptr = obj;
        if (old)
            old->release();
    }

    template <typename T> static IPtr<T> adopt(T* obj) { return IPtr<T>(obj, false); }

protected:
    template <class T> friend class IPtr;
    I* ptr;
};

// Takes ownership of an object created with a reference count of one.
template <class I> class OPtr : public IPtr<I>
{
public:
    inline OPtr(I* p) : IPtr<I>(p, false) {}
    inline OPtr(const IPtr<I>& p) : IPtr<I>(p) {}
    inline OPtr(const OPtr<I>& p) : IPtr<I>(p) {}
    inline OPtr() {}
    inline I* operator=(I* p)
    {
        if (p != this->ptr)
            this->reset(p);
        return this->ptr;
    }
};

// Adopts the reference that p already carries.
template <class I> IPtr<I> owned(I* p)
{
    return IPtr<I>(p, false);
}

// Adds a reference of its own to p.
template <class I> IPtr<I> shared(I* p)
{
    return IPtr<I>(p, true);
}

// Creates a T (reference count one) and adopts it.
template <class T, class... Args> IPtr<T> makeOwned(Args&&... args)
{
    return owned(new T(std::forward<Args>(args)...));
}

} // namespace Steinberg
