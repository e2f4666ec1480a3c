// FerrulithController: the edit controller. It publishes the ten parameters,
// the unit "Root" with the program list "Presets", turns program changes into
// preset loads and takes its values from the processor's saved state.
// Everything it registers is held by the SDK bases; it has no members.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

namespace quorvelware
{

class FerrulithController : public Steinberg::Vst::EditControllerEx1,
                            public Steinberg::Vst::IProgramListData
{
public:
    // The factory's create function; answers the IEditController interface
    // of a new controller holding one reference.
    static Steinberg::FUnknown* createInstance(void* context);

    // IPluginBase
    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API terminate() override;

    // IEditController
    Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID tag,
                                                        Steinberg::Vst::ParamValue valueNormalized,
                                                        Steinberg::Vst::String128 string) override;
    Steinberg::tresult PLUGIN_API
    getParamValueByString(Steinberg::Vst::ParamID tag, Steinberg::Vst::TChar* string,
                          Steinberg::Vst::ParamValue& valueNormalized) override;
    Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID tag,
                                                     Steinberg::Vst::ParamValue value) override;
    Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;

    // IProgramListData
    Steinberg::tresult PLUGIN_API
    programDataSupported(Steinberg::Vst::ProgramListID listId) override;
    Steinberg::tresult PLUGIN_API getProgramData(Steinberg::Vst::ProgramListID listId,
                                                 Steinberg::int32 programIndex,
                                                 Steinberg::IBStream* data) override;
    Steinberg::tresult PLUGIN_API setProgramData(Steinberg::Vst::ProgramListID listId,
                                                 Steinberg::int32 programIndex,
                                                 Steinberg::IBStream* data) override;

    DEFINE_INTERFACES
    DEF_INTERFACE(Steinberg::Vst::IProgramListData)
    END_DEFINE_INTERFACES(EditControllerEx1)
    REFCOUNT_METHODS(EditControllerEx1)

private:
    void registerParameters();
};

} // namespace quorvelware
