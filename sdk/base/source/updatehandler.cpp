#include "base/source/updatehandler.h"

#include <algorithm>
#include <new>

namespace Steinberg
{

UpdateHandler* UpdateHandler::instance()
{
    alignas(UpdateHandler) static unsigned char storage[sizeof(UpdateHandler)];
    static UpdateHandler* handler = new (storage) UpdateHandler;
    return handler;
}

UpdateHandler::Entry* UpdateHandler::find(FUnknown* object)
{
    for (auto& entry : entries)
        if (entry.object == object)
            return &entry;
    return nullptr;
}

bool UpdateHandler::isRegistered(FUnknown* object, IDependent* dependent)
{
    const Entry* entry = find(object);
    return entry && std::find(entry->dependents.begin(), entry->dependents.end(), dependent) !=
                        entry->dependents.end();
}

tresult PLUGIN_API UpdateHandler::addDependent(FUnknown* object, IDependent* dependent)
{
    if (!object || !dependent)
        return kInvalidArgument;
    std::lock_guard<std::mutex> lock(mutex);
    Entry* entry = find(object);
    if (!entry)
    {
        entries.push_back({object, {}});
        entry = &entries.back();
    }
    auto& list = entry->dependents;
    if (std::find(list.begin(), list.end(), dependent) != list.end())
        return kResultFalse;
    list.push_back(dependent);
    return kResultOk;
}

tresult PLUGIN_API UpdateHandler::removeDependent(FUnknown* object, IDependent* dependent)
{
    if (!object)
        return kInvalidArgument;
    std::unique_lock<std::mutex> lock(mutex);
    Entry* entry = find(object);
    if (!entry)
        return kResultFalse;
    auto& list = entry->dependents;
    // Taken over whole or found in place: removing allocates nothing, so it
    // works in destructors even when memory has run out.
    std::vector<IDependent*> removedAll;
    IDependent* removedOne = nullptr;
    if (!dependent)
        removedAll.swap(list);
    else if (auto it = std::find(list.begin(), list.end(), dependent); it != list.end())
    {
        list.erase(it);
        removedOne = dependent;
    }
    if (list.empty())
        entries.erase(entries.begin() + (entry - entries.data()));
    releaseEmptyTables();
    // The caller may free a dependent as soon as this returns: let a call of
    // it on another thread end first. One on this thread is the caller's own.
    const auto self = std::this_thread::get_id();
    auto removed = [&](IDependent* d)
    {
        return d == removedOne ||
               std::find(removedAll.begin(), removedAll.end(), d) != removedAll.end();
    };
    callEnded.wait(lock,
                   [&]
                   {
                       return std::none_of(calls.begin(), calls.end(),
                                           [&](const Call& call) {
                                               return call.thread != self &&
                                                      removed(call.dependent);
                                           });
                   });
    return removedOne || !removedAll.empty() ? kResultOk : kResultFalse;
}

tresult PLUGIN_API UpdateHandler::triggerUpdates(FUnknown* object, int32 message)
{
    if (!object)
        return kInvalidArgument;
    std::vector<IDependent*> snapshot;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (const Entry* entry = find(object))
            snapshot = entry->dependents;
    }
    for (IDependent* dependent : snapshot)
        notify(object, dependent, message);
    if (FObject* fobject = FObject::unknownToObject(object))
        fobject->updateDone(message);
    return kResultOk;
}

void UpdateHandler::notify(FUnknown* object, IDependent* dependent, int32 message)
{
    const Call call{dependent, std::this_thread::get_id()};
    {
        // An earlier dependent may have removed this one, or destroyed the
        // object itself (which forgets all of its dependents).
        std::lock_guard<std::mutex> lock(mutex);
        if (!isRegistered(object, dependent))
            return;
        calls.push_back(call);
    }
    struct End
    {
        UpdateHandler& handler;
        const Call& call;
        ~End()
        {
            {
                std::lock_guard<std::mutex> lock(handler.mutex);
                auto& calls = handler.calls;
                calls.erase(std::find_if(calls.begin(), calls.end(),
                                         [&](const Call& c) {
                                             return c.dependent == call.dependent &&
                                                    c.thread == call.thread;
                                         }));
                handler.releaseEmptyTables();
            }
            handler.callEnded.notify_all();
        }
    } end{*this, call};
    dependent->update(object, message);
}

tresult PLUGIN_API UpdateHandler::deferUpdates(FUnknown* object, int32 message)
{
    if (!object)
        return kInvalidArgument;
    std::lock_guard<std::mutex> lock(mutex);
    const auto item = std::make_pair(object, message);
    if (std::find(deferred.begin(), deferred.end(), item) == deferred.end())
        deferred.push_back(item);
    return kResultOk;
}

tresult UpdateHandler::triggerDeferedUpdates(FUnknown* object)
{
    for (;;)
    {
        std::pair<FUnknown*, int32> next;
        {
            std::lock_guard<std::mutex> lock(mutex);
            auto it = std::find_if(deferred.begin(), deferred.end(),
                                   [object](const auto& item)
                                   { return !object || item.first == object; });
            if (it == deferred.end())
                return kResultOk;
            next = *it;
            deferred.erase(it);
            releaseEmptyTables();
        }
        // Keeps the object alive while its dependents run.
        if (FObject* fobject = FObject::unknownToObject(next.first))
        {
            fobject->addRef();
            triggerUpdates(next.first, next.second);
            fobject->release();
        }
        else
            triggerUpdates(next.first, next.second);
    }
}

void UpdateHandler::removeObject(FUnknown* object)
{
    std::lock_guard<std::mutex> lock(mutex);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [object](const Entry& entry) { return entry.object == object; }),
                  entries.end());
    deferred.erase(std::remove_if(deferred.begin(), deferred.end(),
                                  [object](const auto& item) { return item.first == object; }),
                   deferred.end());
    releaseEmptyTables();
}

// The handler itself is never destroyed, so tables that empty must give their
// memory back, or every load and unload of the module would leave it behind.
void UpdateHandler::releaseEmptyTables()
{
    if (entries.empty())
        std::vector<Entry>().swap(entries);
    if (deferred.empty())
        std::vector<std::pair<FUnknown*, int32>>().swap(deferred);
    if (calls.empty())
        std::vector<Call>().swap(calls);
}

int32 UpdateHandler::countDependents(FUnknown* object)
{
    std::lock_guard<std::mutex> lock(mutex);
    size_t count = 0;
    for (const auto& entry : entries)
        if (!object || entry.object == object)
            count += entry.dependents.size();
    return static_cast<int32>(count);
}

} // namespace Steinberg
