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

// Function-local statics: hooks register from other units' static
// initialisation, whose order relative to this unit is unknown.
std::vector<Hook>& initializers()
{
    static std::vector<Hook> hooks;
    return hooks;
}

std::vector<Hook>& terminators()
{
    static std::vector<Hook> hooks;
    return hooks;
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
    const bool done = DeinitModule();
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
