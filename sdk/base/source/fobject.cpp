#include "base/source/fobject.h"

#include "base/source/updatehandler.h"

namespace Steinberg
{

// FObject's own identifier: lets this module find the FObject behind an
// interface pointer (unknownToObject). It never crosses to a host.
const FUID FObject::iid(0x4E4B1A72, 0x3D9C4F05, 0x9A51C2D7, 0x60E8B314);

IUpdateHandler* FObject::gUpdateHandler = nullptr;

FObject::~FObject()
{
    // Nobody may notify or defer-notify about an object that is gone.
    if (dependentsRegistered)
    {
        if (auto* handler = UpdateHandler::instance(); getUpdateHandler() == handler)
            handler->removeObject(unknownCast());
    }
}

tresult PLUGIN_API FObject::queryInterface(const TUID _iid, void** obj)
{
    QUERY_INTERFACE(_iid, obj, FUnknown::iid, FUnknown)
    QUERY_INTERFACE(_iid, obj, IDependent::iid, IDependent)
    QUERY_INTERFACE(_iid, obj, FObject::iid, FObject)
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API FObject::addRef()
{
    return FUnknownPrivate::atomicAdd(refCount, 1);
}

uint32 PLUGIN_API FObject::release()
{
    if (FUnknownPrivate::atomicAdd(refCount, -1) == 0)
    {
        // A count far below zero keeps calls made during destruction from
        // reaching zero a second time.
        refCount = -1000;
        delete this;
        return 0;
    }
    return getRefCount();
}

IUpdateHandler* FObject::getUpdateHandler()
{
    return gUpdateHandler ? gUpdateHandler : UpdateHandler::instance();
}

void FObject::addDependent(IDependent* dep)
{
    if (!dep)
        return;
    dependentsRegistered = true;
    getUpdateHandler()->addDependent(unknownCast(), dep);
}

void FObject::removeDependent(IDependent* dep)
{
    if (dependentsRegistered)
        getUpdateHandler()->removeDependent(unknownCast(), dep);
}

void FObject::changed(int32 msg)
{
    if (!dependentsRegistered)
    {
        updateDone(msg);
        return;
    }
    // A dependent may drop the last outside reference while it is notified;
    // the reference is given back even when notifying fails.
    addRef();
    struct Release
    {
        FObject* object;
        ~Release() { object->release(); }
    } guard{this};
    getUpdateHandler()->triggerUpdates(unknownCast(), msg);
}

void FObject::deferUpdate(int32 msg)
{
    dependentsRegistered = true;
    getUpdateHandler()->deferUpdates(unknownCast(), msg);
}

FObject* FObject::unknownToObject(FUnknown* unknown)
{
    if (!unknown)
        return nullptr;
    void* found = nullptr;
    if (unknown->queryInterface(FObject::iid, &found) != kResultOk || !found)
        return nullptr;
    FObject* object = static_cast<FObject*>(found);
    object->release();
    return object;
}

} // namespace Steinberg
