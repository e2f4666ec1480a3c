// Module start and stop hooks. Libraries inside the module (the editor
// library, for one) register what must run when the host enters the module
// and when it leaves it, with objects defined at namespace scope:
//
//     static Steinberg::ModuleInitializer startGui([] { ... });
//     static Steinberg::ModuleTerminator stopGui([] { ... });
//
// The platform entry points (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll
// on Windows) run them through InitModule() on the host's first entry and
// DeinitModule() when its last exit balances it.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <functional>

namespace Steinberg
{

using ModuleInitFunction = std::function<void()>;
using ModuleInitPriority = uint32;
// Lower priorities run first; equal priorities run in registration order.
static constexpr ModuleInitPriority DefaultModulePriority = 1000;

struct ModuleInitializer
{
    explicit ModuleInitializer(ModuleInitFunction&& func,
                               ModuleInitPriority prio = DefaultModulePriority);
};

struct ModuleTerminator
{
    explicit ModuleTerminator(ModuleInitFunction&& func,
                              ModuleInitPriority prio = DefaultModulePriority);
};

// What the host handed to the module entry: the dlopen handle on Linux, the
// HINSTANCE on Windows. Null while the host has not entered the module.
using PlatformModuleHandle = void*;
PlatformModuleHandle getPlatformModuleHandle();

namespace ModuleEntryDetail
{
// The counting behind the platform entry points: the first enter() records
// the handle and runs InitModule(); the leave() that balances the last
// enter() runs DeinitModule() and forgets the handle. leave() without an
// open enter() answers false and changes nothing.
bool enter(PlatformModuleHandle handle);
bool leave();
} // namespace ModuleEntryDetail

} // namespace Steinberg

// Run the registered initializers / terminators; true when all ran.
bool InitModule();
bool DeinitModule();
