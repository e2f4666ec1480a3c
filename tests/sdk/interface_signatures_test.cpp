// Every method a host calls on the plug-in, or the plug-in on the host, must
// have exactly the parameter and return types of the standard declarations:
// the identifier and slot tests cannot see an int32 that should be uint32, a
// reference that should be a pointer or a bool that should be a TBool, yet
// each of those reads or writes the wrong bytes across the module boundary.
// The expected types below are written from the published interface
// reference; a mismatch stops the build.
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/iupdatehandler.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstpluginterfacesupport.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Linux;

namespace
{

#define SIGNATURE(I, method, R, ...)                                                               \
    static_assert(std::is_same_v<decltype(&I::method), R (PLUGIN_API I::*)(__VA_ARGS__)>,          \
                  #I "::" #method " does not have the standard signature")

// The fixed-width integers, as the interfaces declare them.
static_assert(std::is_same_v<int8, char> && std::is_same_v<uint8, uint8_t>);
static_assert(std::is_same_v<int16, int16_t> && std::is_same_v<uint16, uint16_t>);
static_assert(std::is_same_v<int32, int32_t> && std::is_same_v<uint32, uint32_t>);
static_assert(std::is_same_v<int64, int64_t> && std::is_same_v<uint64, uint64_t>);
static_assert(std::is_same_v<tresult, int32> && std::is_same_v<TBool, uint8>);
static_assert(std::is_same_v<char16, char16_t> && std::is_same_v<TChar, char16>);
static_assert(std::is_same_v<TUID, int8[16]> && std::is_same_v<String128, TChar[128]>);
static_assert(std::is_same_v<FIDString, const char8*> &&
              std::is_same_v<Vst::CString, const char8*>);
static_assert(std::is_same_v<tchar, char16> && std::is_same_v<Steinberg::CString, const char16*>);
static_assert(std::is_same_v<ParamID, uint32> && std::is_same_v<ParamValue, double>);
static_assert(std::is_same_v<UnitID, int32> && std::is_same_v<ProgramListID, int32>);
static_assert(std::is_same_v<MediaType, int32> && std::is_same_v<BusDirection, int32>);
static_assert(std::is_same_v<BusType, int32> && std::is_same_v<IoMode, int32>);
static_assert(std::is_same_v<KnobMode, int32> && std::is_same_v<TSamples, int64>);
static_assert(std::is_same_v<SpeakerArrangement, uint64> && std::is_same_v<Speaker, uint64>);
static_assert(std::is_same_v<Sample32, float> && std::is_same_v<Sample64, double>);
static_assert(std::is_same_v<TimerInterval, uint64> && std::is_same_v<FileDescriptor, int>);
static_assert(std::is_same_v<IAttributeList::AttrID, const char*>);
static_assert(std::is_same_v<IPlugViewContentScaleSupport::ScaleFactor, float>);

SIGNATURE(FUnknown, queryInterface, tresult, const TUID, void**);
SIGNATURE(FUnknown, addRef, uint32);
SIGNATURE(FUnknown, release, uint32);

SIGNATURE(IPluginBase, initialize, tresult, FUnknown*);
SIGNATURE(IPluginBase, terminate, tresult);

SIGNATURE(IPluginFactory, getFactoryInfo, tresult, PFactoryInfo*);
SIGNATURE(IPluginFactory, countClasses, int32);
SIGNATURE(IPluginFactory, getClassInfo, tresult, int32, PClassInfo*);
SIGNATURE(IPluginFactory, createInstance, tresult, FIDString, FIDString, void**);
SIGNATURE(IPluginFactory2, getClassInfo2, tresult, int32, PClassInfo2*);
SIGNATURE(IPluginFactory3, getClassInfoUnicode, tresult, int32, PClassInfoW*);
SIGNATURE(IPluginFactory3, setHostContext, tresult, FUnknown*);

SIGNATURE(IBStream, read, tresult, void*, int32, int32*);
SIGNATURE(IBStream, write, tresult, void*, int32, int32*);
SIGNATURE(IBStream, seek, tresult, int64, int32, int64*);
SIGNATURE(IBStream, tell, tresult, int64*);
SIGNATURE(ISizeableStream, getStreamSize, tresult, int64&);
SIGNATURE(ISizeableStream, setStreamSize, tresult, int64);

SIGNATURE(IComponent, getControllerClassId, tresult, TUID);
SIGNATURE(IComponent, setIoMode, tresult, IoMode);
SIGNATURE(IComponent, getBusCount, int32, MediaType, BusDirection);
SIGNATURE(IComponent, getBusInfo, tresult, MediaType, BusDirection, int32, BusInfo&);
SIGNATURE(IComponent, getRoutingInfo, tresult, RoutingInfo&, RoutingInfo&);
SIGNATURE(IComponent, activateBus, tresult, MediaType, BusDirection, int32, TBool);
SIGNATURE(IComponent, setActive, tresult, TBool);
SIGNATURE(IComponent, setState, tresult, IBStream*);
SIGNATURE(IComponent, getState, tresult, IBStream*);

SIGNATURE(IAudioProcessor, setBusArrangements, tresult, SpeakerArrangement*, int32,
          SpeakerArrangement*, int32);
SIGNATURE(IAudioProcessor, getBusArrangement, tresult, BusDirection, int32, SpeakerArrangement&);
SIGNATURE(IAudioProcessor, canProcessSampleSize, tresult, int32);
SIGNATURE(IAudioProcessor, getLatencySamples, uint32);
SIGNATURE(IAudioProcessor, setupProcessing, tresult, ProcessSetup&);
SIGNATURE(IAudioProcessor, setProcessing, tresult, TBool);
SIGNATURE(IAudioProcessor, process, tresult, ProcessData&);
SIGNATURE(IAudioProcessor, getTailSamples, uint32);
SIGNATURE(IProcessContextRequirements, getProcessContextRequirements, uint32);

SIGNATURE(IConnectionPoint, connect, tresult, IConnectionPoint*);
SIGNATURE(IConnectionPoint, disconnect, tresult, IConnectionPoint*);
SIGNATURE(IConnectionPoint, notify, tresult, IMessage*);
SIGNATURE(IMessage, getMessageID, FIDString);
SIGNATURE(IMessage, setMessageID, void, FIDString);
SIGNATURE(IMessage, getAttributes, IAttributeList*);
SIGNATURE(IAttributeList, setInt, tresult, IAttributeList::AttrID, int64);
SIGNATURE(IAttributeList, getInt, tresult, IAttributeList::AttrID, int64&);
SIGNATURE(IAttributeList, setFloat, tresult, IAttributeList::AttrID, double);
SIGNATURE(IAttributeList, getFloat, tresult, IAttributeList::AttrID, double&);
SIGNATURE(IAttributeList, setString, tresult, IAttributeList::AttrID, const TChar*);
SIGNATURE(IAttributeList, getString, tresult, IAttributeList::AttrID, TChar*, uint32);
SIGNATURE(IAttributeList, setBinary, tresult, IAttributeList::AttrID, const void*, uint32);
SIGNATURE(IAttributeList, getBinary, tresult, IAttributeList::AttrID, const void*&, uint32&);
SIGNATURE(IHostApplication, getName, tresult, String128);
SIGNATURE(IHostApplication, createInstance, tresult, TUID, TUID, void**);

SIGNATURE(IParamValueQueue, getParameterId, ParamID);
SIGNATURE(IParamValueQueue, getPointCount, int32);
SIGNATURE(IParamValueQueue, getPoint, tresult, int32, int32&, ParamValue&);
SIGNATURE(IParamValueQueue, addPoint, tresult, int32, ParamValue, int32&);
SIGNATURE(IParameterChanges, getParameterCount, int32);
SIGNATURE(IParameterChanges, getParameterData, IParamValueQueue*, int32);
SIGNATURE(IParameterChanges, addParameterData, IParamValueQueue*, const ParamID&, int32&);
SIGNATURE(IEventList, getEventCount, int32);
SIGNATURE(IEventList, getEvent, tresult, int32, Event&);
SIGNATURE(IEventList, addEvent, tresult, Event&);

SIGNATURE(IEditController, setComponentState, tresult, IBStream*);
SIGNATURE(IEditController, setState, tresult, IBStream*);
SIGNATURE(IEditController, getState, tresult, IBStream*);
SIGNATURE(IEditController, getParameterCount, int32);
SIGNATURE(IEditController, getParameterInfo, tresult, int32, ParameterInfo&);
SIGNATURE(IEditController, getParamStringByValue, tresult, ParamID, ParamValue, String128);
SIGNATURE(IEditController, getParamValueByString, tresult, ParamID, TChar*, ParamValue&);
SIGNATURE(IEditController, normalizedParamToPlain, ParamValue, ParamID, ParamValue);
SIGNATURE(IEditController, plainParamToNormalized, ParamValue, ParamID, ParamValue);
SIGNATURE(IEditController, getParamNormalized, ParamValue, ParamID);
SIGNATURE(IEditController, setParamNormalized, tresult, ParamID, ParamValue);
SIGNATURE(IEditController, setComponentHandler, tresult, IComponentHandler*);
SIGNATURE(IEditController, createView, IPlugView*, FIDString);
SIGNATURE(IEditController2, setKnobMode, tresult, KnobMode);
SIGNATURE(IEditController2, openHelp, tresult, TBool);
SIGNATURE(IEditController2, openAboutBox, tresult, TBool);
SIGNATURE(IComponentHandler, beginEdit, tresult, ParamID);
SIGNATURE(IComponentHandler, performEdit, tresult, ParamID, ParamValue);
SIGNATURE(IComponentHandler, endEdit, tresult, ParamID);
SIGNATURE(IComponentHandler, restartComponent, tresult, int32);
SIGNATURE(IComponentHandler2, setDirty, tresult, TBool);
SIGNATURE(IComponentHandler2, requestOpenEditor, tresult, FIDString);
SIGNATURE(IComponentHandler2, startGroupEdit, tresult);
SIGNATURE(IComponentHandler2, finishGroupEdit, tresult);
SIGNATURE(IPlugInterfaceSupport, isPlugInterfaceSupported, tresult, const TUID);

SIGNATURE(IUnitInfo, getUnitCount, int32);
SIGNATURE(IUnitInfo, getUnitInfo, tresult, int32, UnitInfo&);
SIGNATURE(IUnitInfo, getProgramListCount, int32);
SIGNATURE(IUnitInfo, getProgramListInfo, tresult, int32, ProgramListInfo&);
SIGNATURE(IUnitInfo, getProgramName, tresult, ProgramListID, int32, String128);
SIGNATURE(IUnitInfo, getProgramInfo, tresult, ProgramListID, int32, Vst::CString, String128);
SIGNATURE(IUnitInfo, hasProgramPitchNames, tresult, ProgramListID, int32);
SIGNATURE(IUnitInfo, getProgramPitchName, tresult, ProgramListID, int32, int16, String128);
SIGNATURE(IUnitInfo, getSelectedUnit, UnitID);
SIGNATURE(IUnitInfo, selectUnit, tresult, UnitID);
SIGNATURE(IUnitInfo, getUnitByBus, tresult, MediaType, BusDirection, int32, int32, UnitID&);
SIGNATURE(IUnitInfo, setUnitProgramData, tresult, int32, int32, IBStream*);
SIGNATURE(IProgramListData, programDataSupported, tresult, ProgramListID);
SIGNATURE(IProgramListData, getProgramData, tresult, ProgramListID, int32, IBStream*);
SIGNATURE(IProgramListData, setProgramData, tresult, ProgramListID, int32, IBStream*);
SIGNATURE(IUnitHandler, notifyUnitSelection, tresult, UnitID);
SIGNATURE(IUnitHandler, notifyProgramListChange, tresult, ProgramListID, int32);

SIGNATURE(IPlugView, isPlatformTypeSupported, tresult, FIDString);
SIGNATURE(IPlugView, attached, tresult, void*, FIDString);
SIGNATURE(IPlugView, removed, tresult);
SIGNATURE(IPlugView, onWheel, tresult, float);
SIGNATURE(IPlugView, onKeyDown, tresult, char16, int16, int16);
SIGNATURE(IPlugView, onKeyUp, tresult, char16, int16, int16);
SIGNATURE(IPlugView, getSize, tresult, ViewRect*);
SIGNATURE(IPlugView, onSize, tresult, ViewRect*);
SIGNATURE(IPlugView, onFocus, tresult, TBool);
SIGNATURE(IPlugView, setFrame, tresult, IPlugFrame*);
SIGNATURE(IPlugView, canResize, tresult);
SIGNATURE(IPlugView, checkSizeConstraint, tresult, ViewRect*);
SIGNATURE(IPlugFrame, resizeView, tresult, IPlugView*, ViewRect*);
SIGNATURE(IPlugViewContentScaleSupport, setContentScaleFactor, tresult,
          IPlugViewContentScaleSupport::ScaleFactor);
SIGNATURE(IRunLoop, registerEventHandler, tresult, IEventHandler*, FileDescriptor);
SIGNATURE(IRunLoop, unregisterEventHandler, tresult, IEventHandler*);
SIGNATURE(IRunLoop, registerTimer, tresult, ITimerHandler*, TimerInterval);
SIGNATURE(IRunLoop, unregisterTimer, tresult, ITimerHandler*);
SIGNATURE(IEventHandler, onFDIsSet, void, FileDescriptor);
SIGNATURE(ITimerHandler, onTimer, void);

SIGNATURE(IUpdateHandler, addDependent, tresult, FUnknown*, IDependent*);
SIGNATURE(IUpdateHandler, removeDependent, tresult, FUnknown*, IDependent*);
SIGNATURE(IUpdateHandler, triggerUpdates, tresult, FUnknown*, int32);
SIGNATURE(IUpdateHandler, deferUpdates, tresult, FUnknown*, int32);
SIGNATURE(IDependent, update, void, FUnknown*, int32);

// The one entry point declared in a header; the host resolves it by name and
// calls it through this exact pointer type.
static_assert(std::is_same_v<decltype(&GetPluginFactory), GetFactoryProc>);
static_assert(std::is_same_v<GetFactoryProc, IPluginFactory*(PLUGIN_API*)()>);

// Field types whose signedness or width a host relies on when it fills or
// reads these records (sizes and offsets are checked against the tables).
static_assert(std::is_same_v<decltype(BusInfo::flags), uint32>);
static_assert(std::is_same_v<decltype(ParameterInfo::flags), int32>);
static_assert(std::is_same_v<decltype(ParameterInfo::stepCount), int32>);
static_assert(std::is_same_v<decltype(PClassInfo2::classFlags), uint32>);
static_assert(std::is_same_v<decltype(PClassInfoW::classFlags), uint32>);
static_assert(std::is_same_v<decltype(PClassInfoW::name), char16[64]>);
static_assert(std::is_same_v<decltype(PFactoryInfo::flags), int32>);
static_assert(std::is_same_v<decltype(ProcessContext::state), uint32>);
static_assert(std::is_same_v<decltype(AudioBusBuffers::silenceFlags), uint64>);
static_assert(std::is_same_v<decltype(AudioBusBuffers::channelBuffers32), Sample32**>);
static_assert(std::is_same_v<decltype(AudioBusBuffers::channelBuffers64), Sample64**>);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) ==
              offsetof(AudioBusBuffers, channelBuffers64));

// Event: the header, then the union of the typed events at offset 24.
static_assert(std::is_same_v<decltype(Event::flags), uint16> &&
              std::is_same_v<decltype(Event::type), uint16>);
static_assert(offsetof(Event, busIndex) == 0 && offsetof(Event, sampleOffset) == 4);
static_assert(offsetof(Event, ppqPosition) == 8 && offsetof(Event, flags) == 16);
static_assert(offsetof(Event, type) == 18 && offsetof(Event, noteOn) == 24);
static_assert(offsetof(Event, data) == 24 && offsetof(Event, noteExpressionText) == 24);
static_assert(sizeof(NoteOnEvent) == 20 && sizeof(NoteOffEvent) == 16);
static_assert(sizeof(DataEvent) == 16 && offsetof(DataEvent, bytes) == 8);
static_assert(sizeof(NoteExpressionTextEvent) == 24 &&
              offsetof(NoteExpressionTextEvent, text) == 16);
static_assert(sizeof(LegacyMIDICCOutEvent) == 4);

} // namespace
