#pragma once

// A loaded VST 3 module: the library opened through its entry points, the
// factory it hands out, and the classes that factory lists.

#include "hostkit/host_application.h"
#include "hostkit/platform/module_library.h"
#include "hostkit/vst_ptr.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ferrulith::host
{

using ClassId = std::array<std::uint8_t, 16>;

ClassId toClassId(const Steinberg::TUID tuid);
std::string classIdText(const ClassId& cid); // 32 hex digits, byte 0 first
std::string resultText(Steinberg::tresult result);

struct FactoryInfo
{
    std::string vendor;
    std::string url;
    std::string email;
    Steinberg::int32 flags = 0;
};

// One class entry, from the richest class-info record the factory offers.
struct ClassRecord
{
    Steinberg::int32 index = 0;
    ClassId cid = {};
    Steinberg::int32 cardinality = 0;
    std::string category;
    std::string name;
    // From IPluginFactory2, empty with a plain factory.
    bool hasInfo2 = false;
    Steinberg::uint32 classFlags = 0;
    std::string subCategories;
    std::string vendor;
    std::string version;
    std::string sdkVersion;
    // From IPluginFactory3: the UTF-16 texts, converted.
    bool hasUnicodeInfo = false;
    std::string unicodeName;
    std::string unicodeVendor;
    std::string unicodeVersion;
    std::string unicodeSdkVersion;
};

struct FactoryListing
{
    FactoryInfo info;
    bool hasFactory2 = false;
    bool hasFactory3 = false;
    std::vector<ClassRecord> classes;
};

// Reads a factory's vendor record and class list. Throws HostError when the
// factory will not describe itself or one of its classes.
FactoryListing listFactory(Steinberg::IPluginFactory* factory);

class PluginModule
{
public:
    // Loads a bundle folder (or a module file). Throws HostError with the
    // reason when the module cannot be opened or gives no factory.
    explicit PluginModule(const std::string& bundlePath);
    // Releases the factory, then runs the module's exit hook and closes it.
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    const std::string& path() const { return bundlePath; }
    Steinberg::IPluginFactory* factory() const { return pluginFactory.get(); }
    const FactoryListing& listing() const { return cachedListing; }
    HostApplication* hostContext() const { return host.get(); }

    // The first class of `category`, if the factory lists one.
    std::optional<ClassRecord> findClass(const std::string& category) const;

    // Asks the module's exported factory function again; the caller owns the
    // reference it returns.
    VstPtr<Steinberg::IPluginFactory> requestFactory() const;

    // Creates an instance of class `cid` and asks it for `Interface`. Throws
    // HostError naming the class when the factory refuses.
    template <class Interface> VstPtr<Interface> createInstance(const ClassId& cid) const
    {
        return VstPtr<Interface>::adopt(
            static_cast<Interface*>(createRaw(cid, iidOf<Interface>())));
    }

private:
    void* createRaw(const ClassId& cid, const Steinberg::TUID iid) const;

    std::string bundlePath;
    ModuleLibrary library;
    VstPtr<HostApplication> host;
    VstPtr<Steinberg::IPluginFactory> pluginFactory;
    FactoryListing cachedListing;
};

} // namespace ferrulith::host
