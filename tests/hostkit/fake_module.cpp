// A module that loads but misbehaves, for the host's error handling: its
// factory knows only the first interface version, one class cannot be made,
// and one record fills its name field to the last byte with no terminator.
// Built as a refusing variant too, whose entry hook answers false.

#include "pluginterfaces/base/ipluginbase.h"

#include <cstring>

using namespace Steinberg;

namespace
{

class HostileFactory final : public IPluginFactory
{
public:
    virtual ~HostileFactory() = default;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) ||
            FUnknownPrivate::iidEqual(iid, IPluginFactory::iid))
        {
            addRef();
            *obj = this;
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return ++references; }
    uint32 PLUGIN_API release() override
    {
        if (--references == 0)
        {
            delete this;
            return 0;
        }
        return references;
    }

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override
    {
        *info = PFactoryInfo();
        std::strcpy(info->vendor, "Nobody");
        return kResultOk;
    }
    int32 PLUGIN_API countClasses() override { return 2; }
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override
    {
        if (index < 0 || index > 1)
            return kInvalidArgument;
        *info = PClassInfo();
        std::memset(info->cid, index + 1, sizeof(TUID));
        info->cardinality = PClassInfo::kManyInstances;
        if (index == 0)
        {
            std::strcpy(info->category, "Audio Module Class");
            std::strcpy(info->name, "Unmakeable");
        }
        else
        {
            std::strcpy(info->category, "Component Controller Class");
            std::memset(info->name, 'N', sizeof(info->name));
        }
        return kResultOk;
    }
    tresult PLUGIN_API createInstance(FIDString, FIDString, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }

private:
    uint32 references = 1;
};

} // namespace

#ifdef FAKE_REFUSING_ENTRY
constexpr bool kStarts = false;
#else
constexpr bool kStarts = true;
#endif

extern "C"
{

#if SMTG_OS_WINDOWS
    SMTG_EXPORT_SYMBOL bool InitDll()
    {
        return kStarts;
    }

    SMTG_EXPORT_SYMBOL bool ExitDll()
    {
        return true;
    }
#else
    SMTG_EXPORT_SYMBOL bool ModuleEntry(void*)
    {
        return kStarts;
    }

    SMTG_EXPORT_SYMBOL bool ModuleExit()
    {
        return true;
    }
#endif

    SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
    {
        return new HostileFactory;
    }
}
