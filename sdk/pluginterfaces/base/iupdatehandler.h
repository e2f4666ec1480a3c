// Change notification between objects: IDependent receives updates about an
// object it watches, IUpdateHandler keeps the watchers and delivers them.
#pragma once

#include "pluginterfaces/base/funknown.h"

namespace Steinberg
{

class IDependent;

class IUpdateHandler : public FUnknown
{
public:
    virtual tresult PLUGIN_API addDependent(FUnknown* object, IDependent* dependent) = 0;
    virtual tresult PLUGIN_API removeDependent(FUnknown* object, IDependent* dependent) = 0;
    // Notifies every dependent of object at once.
    virtual tresult PLUGIN_API triggerUpdates(FUnknown* object, int32 message) = 0;
    // Queues the notification for a later delivery.
    virtual tresult PLUGIN_API deferUpdates(FUnknown* object, int32 message) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IUpdateHandler, 0xF5246D56, 0x86544D60, 0xB026AFB5, 0x7B697B37)

class IDependent : public FUnknown
{
public:
    virtual void PLUGIN_API update(FUnknown* changedUnknown, int32 message) = 0;

    enum ChangeMessage
    {
        kWillChange,
        kChanged,
        kDestroyed,
        kWillDestroy,
        kStdChangeMessageLast = kWillDestroy
    };

    static const FUID iid;
};
DECLARE_CLASS_IID(IDependent, 0xF52B7AAE, 0xDE72416D, 0x8AF18ACE, 0x9DD7BD5E)

} // namespace Steinberg
