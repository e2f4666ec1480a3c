#include "controller/ferrulithcontroller.h"
#if FERRULITH_EDITOR
#include "controller/ferrulitheditor.h"
#endif

#include "common/ferrulithparamids.h"
#include "common/ferrulithpresets.h"
#include "common/processorstate.h"

#include "base/source/fstreamer.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

#include <cstring>

namespace quorvelware
{

using namespace Steinberg;
using namespace Steinberg::Vst;

FUnknown* FerrulithController::createInstance(void* /*context*/)
{
    // Out of memory: no controller, which the factory reports as no instance.
    try
    {
        return static_cast<IEditController*>(new FerrulithController);
    }
    catch (...)
    {
        return nullptr;
    }
}

tresult PLUGIN_API FerrulithController::initialize(FUnknown* context)
{
    // Registered already (possibly with no host context, which the base does
    // not remember): registering again would double every parameter.
    if (parameters.getParameterCount() > 0)
        return kResultFalse;
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;
    try
    {
        registerParameters();
    }
    catch (...)
    {
        // Out of memory part way: half a registration would show the host a
        // plug-in with missing parameters. Give back everything, the host
        // context included, so that the host may try again.
        EditControllerEx1::terminate();
        return kOutOfMemory;
    }
    return kResultOk;
}

void FerrulithController::registerParameters()
{
    // "Bypass" first and "Presets" last: hosts list parameters in this order.
    for (const ParameterSpec& p : kParameterSpecs)
        parameters.addParameter(p.title, p.units, p.stepCount, p.defaultValue,
                                ParameterInfo::kCanAutomate, static_cast<int32>(p.id), kRootUnitId);

    addUnit(new Unit(STR16("Root"), kRootUnitId, kNoParentUnitId, kPresetsId));

    auto* presets = new ProgramList(STR16("Presets"), kPresetsId, kRootUnitId);
    addProgramList(presets);
    for (const char* name : kPresetNames)
        presets->addProgram(Steinberg::Vst::StringConvert::convert(name).c_str());

    // A program change is the host's business, not an automation lane.
    Parameter* programChange = presets->getParameter();
    programChange->getInfo().flags &= ~ParameterInfo::kCanAutomate;
    programChange->getInfo().flags |= ParameterInfo::kIsProgramChange;
    parameters.addParameter(programChange);
}

tresult PLUGIN_API FerrulithController::terminate()
{
    return EditControllerEx1::terminate();
}

tresult PLUGIN_API FerrulithController::setParamNormalized(ParamID tag, ParamValue value)
{
    // Telling an open editor about a new value may need memory.
    try
    {
        const tresult result = EditController::setParamNormalized(tag, value);
        if (result != kResultOk || tag != kPresetsId)
            return result;

        // Load the preset into the sound parameters, then ask the host to
        // re-read them; no edits are sent, the processor follows identifier 9
        // itself.
        const int32 row = presetRowForValue(value);
        for (int32 k = 0; k < kSoundParamCount; ++k)
            EditController::setParamNormalized(static_cast<ParamID>(k), kPresetValues[row][k]);
        if (componentHandler)
            componentHandler->restartComponent(kParamValuesChanged);
        return result;
    }
    catch (...)
    {
        return kOutOfMemory;
    }
}

tresult PLUGIN_API FerrulithController::setComponentState(IBStream* state)
{
    // The whole state is read before any of it is applied: a truncated stream
    // must not leave half a preset behind.
    ProcessorState incoming;
    const tresult result = readProcessorState(state, incoming);
    if (result != kResultOk)
        return result;
    setParamNormalized(kBypassId, incoming.bypass ? 1.0 : 0.0);
    for (int32 k = 0; k < kSoundParamCount; ++k)
        setParamNormalized(static_cast<ParamID>(k), incoming.normalized[k]);
    return kResultOk;
}

tresult PLUGIN_API FerrulithController::setState(IBStream* state)
{
    // Everything the controller shows comes from the processor's state.
    return state != nullptr ? kResultOk : kResultFalse;
}

tresult PLUGIN_API FerrulithController::getState(IBStream* /*state*/)
{
    return kResultOk;
}

tresult PLUGIN_API FerrulithController::getParamStringByValue(ParamID tag,
                                                              ParamValue valueNormalized,
                                                              String128 string)
{
    return EditControllerEx1::getParamStringByValue(tag, valueNormalized, string);
}

tresult PLUGIN_API FerrulithController::getParamValueByString(ParamID tag, TChar* string,
                                                              ParamValue& valueNormalized)
{
    try
    {
        return EditControllerEx1::getParamValueByString(tag, string, valueNormalized);
    }
    catch (...)
    {
        return kOutOfMemory; // the preset names are compared as copies
    }
}

IPlugView* PLUGIN_API FerrulithController::createView(FIDString name)
{
    // The editor is all UI description: no view classes or sub-controllers of
    // our own. Each call makes a new editor that the host owns.
    if (name == nullptr || std::strcmp(name, ViewType::kEditor) != 0)
        return nullptr;
#if FERRULITH_EDITOR
    try
    {
        return new FerrulithEditor(this, "view", "ferrulitheditor.uidesc");
    }
    catch (...)
    {
        return nullptr;
    }
#else
    // Built without the editor library (an SDK checkout without VSTGUI):
    // hosts then offer their own generic controls for the parameters.
    return nullptr;
#endif
}

tresult PLUGIN_API FerrulithController::programDataSupported(ProgramListID listId)
{
    return listId == static_cast<ProgramListID>(kPresetsId) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API FerrulithController::getProgramData(ProgramListID /*listId*/, int32 programIndex,
                                                       IBStream* data)
{
    if (programIndex < 0 || programIndex >= kPresetCount || data == nullptr)
        return kResultFalse;
    IBStreamer streamer(data, kLittleEndian);
    bool complete = true;
    for (float v : kPresetValues[programIndex])
        complete = streamer.writeFloat(v) && complete;
    // A host that keeps part of a preset must learn that it has no preset.
    return complete ? kResultOk : kResultFalse;
}

tresult PLUGIN_API FerrulithController::setProgramData(ProgramListID /*listId*/,
                                                       int32 /*programIndex*/, IBStream* /*data*/)
{
    // Factory presets are read-only.
    return kResultOk;
}

} // namespace quorvelware
