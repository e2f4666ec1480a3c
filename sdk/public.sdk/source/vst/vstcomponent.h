// The default VST 3 component: the controller class it names, its four bus
// lists, and IComponent answers for everything a plug-in does not override.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vstcomponentbase.h"

namespace Steinberg
{
namespace Vst
{

class Component : public ComponentBase, public IComponent
{
public:
    Component();

    // The edit controller class a host creates for this component.
    void setControllerClass(const FUID& cid) { controllerClass = cid; }
    void setControllerClass(const TUID& cid) { controllerClass = FUID::fromTUID(cid); }

    tresult removeAudioBusses();
    tresult removeEventBusses();
    tresult removeAllBusses();
    tresult renameBus(MediaType type, BusDirection dir, int32 index, const String128 newName);

    // The list of one media type and direction, or null for an unknown one.
    BusList* getBusList(MediaType type, BusDirection dir);

    // IComponent
    tresult PLUGIN_API getControllerClassId(TUID classID) SMTG_OVERRIDE;
    tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
    int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                  BusInfo& info) SMTG_OVERRIDE;
    tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
    tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                   TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;

    // IPluginBase
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    OBJ_METHODS(Component, ComponentBase)
    DEFINE_INTERFACES
    DEF_INTERFACE(IComponent)
    END_DEFINE_INTERFACES(ComponentBase)
    REFCOUNT_METHODS(ComponentBase)

protected:
    FUID controllerClass;
    BusList audioInputs;
    BusList audioOutputs;
    BusList eventInputs;
    BusList eventOutputs;
};

} // namespace Vst
} // namespace Steinberg
