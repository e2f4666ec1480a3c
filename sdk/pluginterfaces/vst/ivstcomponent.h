// IComponent, the processing side of a plug-in as the host sees it: its
// buses, its activation and its state; with the bus records it describes.
#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg
{
namespace Vst
{

// Factory flags a VST 3 module sets: its class records are UTF-16.
static const int32 kDefaultFactoryFlags = PFactoryInfo::kUnicode;

enum MediaTypes
{
    kAudio = 0,
    kEvent,
    kNumMediaTypes
};

enum BusDirections
{
    kInput = 0,
    kOutput
};

enum BusTypes
{
    kMain = 0,
    kAux
};

#include "pluginterfaces/base/falignpush.h"

struct BusInfo
{
    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;

    enum BusFlags
    {
        kDefaultActive = 1 << 0,
        kIsControlVoltage = 1 << 1
    };
};

struct RoutingInfo
{
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

#include "pluginterfaces/base/falignpop.h"

enum IoModes
{
    kSimple = 0,
    kAdvanced,
    kOfflineProcessing
};

class IComponent : public IPluginBase
{
public:
    virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
    virtual tresult PLUGIN_API setIoMode(IoMode mode) = 0;
    virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                          BusInfo& bus) = 0;
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                           TBool state) = 0;
    virtual tresult PLUGIN_API setActive(TBool state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IComponent, 0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802)

} // namespace Vst
} // namespace Steinberg
