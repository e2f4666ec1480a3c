// FObject: the reference-counted base object of the SDK's classes, with a
// queryInterface chain, a light class identity (isA / isTypeOf) and change
// notification of dependents through an update handler.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/iupdatehandler.h"

#include <atomic>
#include <cstring>

namespace Steinberg
{

// Class identity of an FObject subclass: its class name.
typedef FIDString FClassID;

class FObject : public IDependent
{
public:
    FObject() = default;
    // A copy is a new object: its own count of one and no dependents.
    FObject(const FObject&) : IDependent() {}
    FObject& operator=(const FObject&) { return *this; }
    virtual ~FObject();

    // Class identity.
    virtual FClassID isA() const { return FObject::getFClassID(); }
    // True only for this exact class.
    virtual bool isA(FClassID s) const { return isTypeOf(s, false); }
    // True for this class and, when askBaseClass, for every base class.
    virtual bool isTypeOf(FClassID s, bool /*askBaseClass*/ = true) const
    {
        return classIDsEqual(s, getFClassID());
    }
    static FClassID getFClassID() { return "FObject"; }
    static bool classIDsEqual(FClassID a, FClassID b)
    {
        return (a && b) ? std::strcmp(a, b) == 0 : false;
    }

    int32 getRefCount() const { return __atomic_load_n(&refCount, __ATOMIC_SEQ_CST); }
    FUnknown* unknownCast() { return this; }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE;
    uint32 PLUGIN_API release() SMTG_OVERRIDE;

    // Called when an object this one depends on has changed.
    void PLUGIN_API update(FUnknown* /*changedUnknown*/, int32 /*message*/) SMTG_OVERRIDE {}

    // Dependents are told about this object's changes. The update handler
    // keeps them; it holds no reference to them, so a dependent must remove
    // itself before it goes away.
    virtual void addDependent(IDependent* dep);
    virtual void removeDependent(IDependent* dep);
    // Notifies every dependent now.
    virtual void changed(int32 msg = kChanged);
    // Queues the notification for the update handler's next delivery.
    virtual void deferUpdate(int32 msg = kChanged);
    // Called after the dependents have been notified.
    virtual void updateDone(int32 /*msg*/) {}
    virtual bool isEqualInstance(FUnknown* d) { return this == d; }

    // The handler FObjects use; without one set, the module's own
    // UpdateHandler.
    static void setUpdateHandler(IUpdateHandler* handler) { gUpdateHandler = handler; }
    static IUpdateHandler* getUpdateHandler();

    // The FObject behind an interface pointer, if it is one of this module's.
    static FObject* unknownToObject(FUnknown* unknown);

    static const FUID iid;

protected:
    int32 refCount = 1;
    // Set once a dependent was registered, so that destruction knows to tell
    // the update handler. Read by changed(), which may run on any thread.
    std::atomic<bool> dependentsRegistered{false};

    static IUpdateHandler* gUpdateHandler;
};

// Casts an FObject to C when it is a C (by class identity), else null.
template <class C> inline C* FCast(const FObject* object)
{
    if (object && object->isTypeOf(C::getFClassID(), true))
        return static_cast<C*>(const_cast<FObject*>(object));
    return nullptr;
}

template <class C> inline C* FCast(FUnknown* unknown)
{
    return FCast<C>(FObject::unknownToObject(unknown));
}

} // namespace Steinberg

// Class identity of an FObject subclass; put in the class body.
#define OBJ_METHODS(className, baseClass)                                                          \
    static inline ::Steinberg::FClassID getFClassID()                                              \
    {                                                                                              \
        return (#className);                                                                       \
    }                                                                                              \
    virtual ::Steinberg::FClassID isA() const SMTG_OVERRIDE                                        \
    {                                                                                              \
        return className::getFClassID();                                                           \
    }                                                                                              \
    virtual bool isA(::Steinberg::FClassID s) const SMTG_OVERRIDE                                  \
    {                                                                                              \
        return isTypeOf(s, false);                                                                 \
    }                                                                                              \
    virtual bool isTypeOf(::Steinberg::FClassID s, bool askBaseClass = true) const SMTG_OVERRIDE   \
    {                                                                                              \
        return (::Steinberg::FObject::classIDsEqual(s, #className)                                 \
                    ? true                                                                         \
                    : (askBaseClass ? baseClass::isTypeOf(s, true) : false));                      \
    }

// Forwards the reference count of a class with several interface bases to
// the one in BaseClass.
#define REFCOUNT_METHODS(BaseClass)                                                                \
    virtual ::Steinberg::uint32 PLUGIN_API addRef() SMTG_OVERRIDE                                  \
    {                                                                                              \
        return BaseClass::addRef();                                                                \
    }                                                                                              \
    virtual ::Steinberg::uint32 PLUGIN_API release() SMTG_OVERRIDE                                 \
    {                                                                                              \
        return BaseClass::release();                                                               \
    }

// queryInterface that tries the listed interfaces in order, then BaseClass.
#define DEFINE_INTERFACES                                                                          \
    ::Steinberg::tresult PLUGIN_API queryInterface(const ::Steinberg::TUID iid, void** obj)        \
        SMTG_OVERRIDE                                                                              \
    {
#define DEF_INTERFACE(InterfaceName) QUERY_INTERFACE(iid, obj, InterfaceName::iid, InterfaceName)
#define END_DEFINE_INTERFACES(BaseClass)                                                           \
    return BaseClass::queryInterface(iid, obj);                                                    \
    }

#define DEF_INTERFACES_1(InterfaceName, BaseClass)                                                 \
    DEFINE_INTERFACES                                                                              \
    DEF_INTERFACE(InterfaceName)                                                                   \
    END_DEFINE_INTERFACES(BaseClass)
#define DEF_INTERFACES_2(InterfaceName1, InterfaceName2, BaseClass)                                \
    DEFINE_INTERFACES                                                                              \
    DEF_INTERFACE(InterfaceName1)                                                                  \
    DEF_INTERFACE(InterfaceName2)                                                                  \
    END_DEFINE_INTERFACES(BaseClass)
#define DEF_INTERFACES_3(InterfaceName1, InterfaceName2, InterfaceName3, BaseClass)                \
    DEFINE_INTERFACES                                                                              \
    DEF_INTERFACE(InterfaceName1)                                                                  \
    DEF_INTERFACE(InterfaceName2)                                                                  \
    DEF_INTERFACE(InterfaceName3)                                                                  \
    END_DEFINE_INTERFACES(BaseClass)

#define FUNKNOWN_METHODS(InterfaceName, BaseClass)                                                 \
    DEF_INTERFACES_1(InterfaceName, BaseClass)                                                     \
    REFCOUNT_METHODS(BaseClass)
#define FUNKNOWN_METHODS2(InterfaceName1, InterfaceName2, BaseClass)                               \
    DEF_INTERFACES_2(InterfaceName1, InterfaceName2, BaseClass)                                    \
    REFCOUNT_METHODS(BaseClass)
