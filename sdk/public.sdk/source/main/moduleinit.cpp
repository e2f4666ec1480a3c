#include "public.sdk/source/main/moduleinit.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace Steinberg
{
namespace
{

struct Hook
{
    ModuleInitFunction func;
    ModuleInitPriority prio;
};

// Set once the hook lists are destroyed. A plain flag outlives every static
// object of the module: some hosts call the exit entry point from their own
// exit-time destructors, after the module's statics are gone.
bool hooksDestroyed = false;

struct HookLists
{
    std::vector<Hook> initializers;
    std::vector<Hook> terminators;
    ~HookLists() { hooksDestroyed = true; }
};

// A function-local static: hooks register from other units' static
// initialisation, whose order relative to this unit is unknown.
HookLists& hookLists()
{
    static HookLists lists;
    return lists;
}

std::vector<Hook>& initializers()
{
    return hookLists().initializers;
}

std::vector<Hook>& terminators()
{
    return hookLists().terminators;
}

void addHook(std::vector<Hook>& hooks, ModuleInitFunction&& func, ModuleInitPriority prio)
{
    if (!func)
        return;
    // Stable position: after every hook of the same or a lower priority.
    const auto at =
        std::upper_bound(hooks.begin(), hooks.end(), prio,
                         [](ModuleInitPriority p, const Hook& h) { return p < h.prio; });
    hooks.insert(at, Hook{std::move(func), prio});
}

// A hook that throws must not take the host down with it.
bool runHooks(const std::vector<Hook>& hooks)
{
    bool allRan = true;
    for (const auto& hook : hooks)
    {
        try
        {
            hook.func();
        }
        catch (const std::exception& e)
        {
            std::fprintf(stderr, "module hook failed: %s\n", e.what());
            allRan = false;
        }
        catch (...)
        {
            std::fprintf(stderr, "module hook failed\n");
            allRan = false;
        }
    }
    return allRan;
}

PlatformModuleHandle moduleHandle = nullptr;
int32 entryCount = 0;

} // namespace

ModuleInitializer::ModuleInitializer(ModuleInitFunction&& func, ModuleInitPriority prio)
{
    addHook(initializers(), std::move(func), prio);
}

ModuleTerminator::ModuleTerminator(ModuleInitFunction&& func, ModuleInitPriority prio)
{
    addHook(terminators(), std::move(func), prio);
}

PlatformModuleHandle getPlatformModuleHandle()
{
    return moduleHandle;
}

namespace ModuleEntryDetail
{

bool enter(PlatformModuleHandle handle)
{
    if (++entryCount > 1)
        return true;
    moduleHandle = handle;
    if (InitModule())
        return true;
    // Leave the module closed so that the host may try again.
    --entryCount;
    moduleHandle = nullptr;
    return false;
}

bool leave()
{
    if (entryCount <= 0)
        return false;
    if (--entryCount > 0)
        return true;
    // The process is exiting and the module's statics, those the hooks would
    // stop among them, are already destroyed: nothing is left to stop.
    const bool done = hooksDestroyed || DeinitModule();
    moduleHandle = nullptr;
    return done;
}

} // namespace ModuleEntryDetail
} // namespace Steinberg

bool InitModule()
{
    return Steinberg::runHooks(Steinberg::initializers());
}

bool DeinitModule()
{
    return Steinberg::runHooks(Steinberg::terminators());
}
