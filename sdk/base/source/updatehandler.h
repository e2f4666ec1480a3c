// The module's update handler: keeps, per object, the dependents to notify
// when the object changes, and the notifications deferred for later.
// Meant for the main thread, but an object may change on any thread: the
// tables are guarded, and removing a dependent waits for a notification of it
// running on another thread, so no dependent is called once removeDependent
// has returned. No lock is held while a dependent runs, so dependents may add
// or remove dependents (themselves included) from inside update().
#pragma once

#include "base/source/fobject.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace Steinberg
{

class UpdateHandler : public FObject, public IUpdateHandler
{
public:
    UpdateHandler() = default;
    ~UpdateHandler() override = default;

    // The handler FObjects use unless another is set; it lives until the
    // module is unloaded and is never destroyed, so objects that outlive
    // static destruction can still unregister.
    static UpdateHandler* instance();

    // The handler is itself an FObject that may have dependents of its own.
    using FObject::addDependent;
    using FObject::removeDependent;

    // object is the FUnknown pointer of the watched object (an FObject's
    // unknownCast()). A dependent is kept once per object.
    tresult PLUGIN_API addDependent(FUnknown* object, IDependent* dependent) SMTG_OVERRIDE;
    // A null dependent removes all of the object's dependents.
    tresult PLUGIN_API removeDependent(FUnknown* object, IDependent* dependent) SMTG_OVERRIDE;
    // Calls update(object, message) on each dependent registered when the
    // call starts and still registered when its turn comes, then the
    // object's updateDone when it is an FObject.
    tresult PLUGIN_API triggerUpdates(FUnknown* object, int32 message) SMTG_OVERRIDE;
    // Queues (object, message) once; triggerDeferedUpdates delivers it.
    tresult PLUGIN_API deferUpdates(FUnknown* object, int32 message) SMTG_OVERRIDE;

    // Delivers the queued notifications of object, or of every object.
    tresult triggerDeferedUpdates(FUnknown* object = nullptr);
    // Forgets object: its dependents and its queued notifications.
    void removeObject(FUnknown* object);
    // Dependents of object, or of every object.
    int32 countDependents(FUnknown* object = nullptr);

    OBJ_METHODS(UpdateHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IUpdateHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    struct Entry
    {
        FUnknown* object;
        std::vector<IDependent*> dependents;
    };

    // A dependent's update() running now, and the thread running it.
    struct Call
    {
        IDependent* dependent;
        std::thread::id thread;
    };

    // The caller holds the mutex in these three.
    Entry* find(FUnknown* object);
    bool isRegistered(FUnknown* object, IDependent* dependent);
    void releaseEmptyTables();
    // Calls update() unless the dependent has been removed meanwhile.
    void notify(FUnknown* object, IDependent* dependent, int32 message);

    std::mutex mutex;
    std::vector<Entry> entries;
    std::vector<std::pair<FUnknown*, int32>> deferred;
    std::vector<Call> calls;
    std::condition_variable callEnded;
};

} // namespace Steinberg
