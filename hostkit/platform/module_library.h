#pragma once

// The one place that knows how this platform opens a VST 3 module, finds its
// exported functions, and where a bundle keeps its binary: dlopen,
// ModuleEntry/ModuleExit and Contents/x86_64-linux/<name>.so on Linux;
// LoadLibraryW, InitDll/ExitDll and Contents\x86_64-win\<name>.vst3 on
// Windows.

#include "pluginterfaces/base/fplatform.h"

#include <string>

namespace Steinberg
{
class IPluginFactory;
}

namespace ferrulith::host
{

using GetFactoryFunction = Steinberg::IPluginFactory*(PLUGIN_API*)();

class ModuleLibrary
{
public:
    ModuleLibrary() = default;
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // Opens the module file and runs the module's entry hook. On failure the
    // library is closed again and `error` says why.
    bool open(const std::string& moduleFile, std::string& error);
    // Runs the module's exit hook for every entry still open and closes the
    // library; safe to call twice.
    void close();

    // The module's own entry and exit hooks, once more each: a host and its
    // plug-in scanner in one process each enter and leave the module. They
    // answer what the module answers (false when the library is not open).
    bool enter();
    bool exit();

    bool isOpen() const { return handle != nullptr; }
    GetFactoryFunction factoryFunction() const { return getFactory; }

private:
    void* handle = nullptr;
    int entries = 0; // entries that answered true and are not yet left
    GetFactoryFunction getFactory = nullptr;
};

// The module binary that a host loads for a bundle folder on this platform
// and architecture. A path to a plain file is taken as the module itself.
std::string moduleFileInBundle(const std::string& bundlePath);

} // namespace ferrulith::host
