#pragma once

// The one place that knows how this platform opens a VST 3 module, finds its
// exported functions, and where a bundle keeps its binary. A Windows back end
// (LoadLibrary, InitDll/ExitDll, Contents\x86_64-win) stands beside the Linux
// one behind this header.

#include <string>

namespace Steinberg
{
class IPluginFactory;
}

namespace ferrulith::host
{

using GetFactoryFunction = Steinberg::IPluginFactory* (*)();

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
    // Runs the module's exit hook and closes the library; safe to call twice.
    void close();

    bool isOpen() const { return handle != nullptr; }
    GetFactoryFunction factoryFunction() const { return getFactory; }

private:
    void* handle = nullptr;
    bool entered = false;
    GetFactoryFunction getFactory = nullptr;
};

// The module binary that a host loads for a bundle folder on this platform
// and architecture. A path to a plain file is taken as the module itself.
std::string moduleFileInBundle(const std::string& bundlePath);

} // namespace ferrulith::host
