// Keeps the controls that carry one parameter's tag in step with it: a change
// of the parameter (from the host or a program change) moves the controls, and
// a control's gesture becomes beginEdit/performEdit/endEdit on the controller.
// A change made on another thread than the editor's moves the controls only
// when the editor's thread takes it from the pending changes.
#pragma once

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"
#include "vstgui/plugin-bindings/pendingparameterchanges.h"
#include <memory>
#include <vector>

namespace VSTGUI
{

class CControl;

class VST3ParameterBinding final : public Steinberg::FObject
{
public:
    VST3ParameterBinding(Steinberg::Vst::EditController* controller,
                         Steinberg::Vst::Parameter* parameter,
                         std::shared_ptr<PendingParameterChanges> pending);
    ~VST3ParameterBinding() override;

    // Fills an option menu from the parameter's list texts, lets a display
    // show the parameter's own text, and sets the control's value.
    void addControl(CControl* control);
    void clearControls() { controls.clear(); }
    // Sets every control to the parameter's value now (editor's thread only).
    void refreshControls();

    // The parameter's normalized value that the control's value stands for.
    Steinberg::Vst::ParamValue normalizedFrom(const CControl& control) const;

    void beginEdit();
    void performEdit(Steinberg::Vst::ParamValue normalized);
    void endEdit();

    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) override;

    OBJ_METHODS(VST3ParameterBinding, FObject)

private:
    void applyValue(CControl& control) const;
    Steinberg::int32 listSteps() const;

    Steinberg::Vst::EditController* controller;
    Steinberg::IPtr<Steinberg::Vst::Parameter> parameter;
    const Steinberg::Vst::ParamID id;
    const std::shared_ptr<PendingParameterChanges> pending;
    std::vector<CControl*> controls;
};

} // namespace VSTGUI
