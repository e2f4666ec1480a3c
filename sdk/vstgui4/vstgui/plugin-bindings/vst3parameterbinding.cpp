#include "vstgui/plugin-bindings/vst3parameterbinding.h"

#include "public.sdk/source/vst/utility/stringconvert.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI
{

using namespace Steinberg;
using namespace Steinberg::Vst;

VST3ParameterBinding::VST3ParameterBinding(EditController* controller, Parameter* parameter,
                                           std::shared_ptr<PendingParameterChanges> pending)
    : controller(controller), parameter(parameter), id(parameter->getInfo().id),
      pending(std::move(pending))
{
    parameter->addDependent(this);
}

VST3ParameterBinding::~VST3ParameterBinding()
{
    parameter->removeDependent(this);
}

int32 VST3ParameterBinding::listSteps() const
{
    const auto& info = parameter->getInfo();
    return (info.flags & ParameterInfo::kIsList) ? info.stepCount : 0;
}

void VST3ParameterBinding::addControl(CControl* control)
{
    controls.push_back(control);
    if (auto* menu = dynamic_cast<COptionMenu*>(control))
    {
        int32 steps = std::max<int32>(listSteps(), 0);
        menu->removeAllEntry();
        for (int32 i = 0; steps > 0 && i <= steps; ++i)
        {
            String128 text{};
            parameter->toString(static_cast<ParamValue>(i) / steps, text);
            menu->addEntry(Steinberg::Vst::StringConvert::convert(text).c_str());
        }
    }
    else if (auto* display = dynamic_cast<CParamDisplay*>(control);
             display && !dynamic_cast<CTextLabel*>(control))
    {
        // The controller's own text for the value, as the host would show it.
        auto* self = this;
        display->setValueToStringFunction(
            [self](float, char utf8String[256], CParamDisplay* shown)
            {
                String128 text{};
                if (self->controller->getParamStringByValue(self->id, self->normalizedFrom(*shown),
                                                            text) != kResultOk)
                    return false;
                std::string converted = Steinberg::Vst::StringConvert::convert(text);
                std::strncpy(utf8String, converted.c_str(), 255);
                utf8String[255] = 0;
                return true;
            });
    }
    applyValue(*control);
}

ParamValue VST3ParameterBinding::normalizedFrom(const CControl& control) const
{
    int32 steps = listSteps();
    if (steps > 0 && dynamic_cast<const COptionMenu*>(&control))
        return std::clamp(std::round(static_cast<ParamValue>(control.getValue())) / steps, 0., 1.);
    return control.getValueNormalized();
}

void VST3ParameterBinding::applyValue(CControl& control) const
{
    ParamValue normalized = parameter->getNormalized();
    int32 steps = listSteps();
    if (steps > 0 && dynamic_cast<COptionMenu*>(&control))
        control.setValue(
            static_cast<float>(std::floor(std::min<ParamValue>(steps, normalized * (steps + 1)))));
    else
        control.setValueNormalized(static_cast<float>(normalized));
    control.invalid();
}

void VST3ParameterBinding::beginEdit()
{
    controller->beginEdit(id);
}

void VST3ParameterBinding::performEdit(ParamValue normalized)
{
    controller->setParamNormalized(id, normalized);
    controller->performEdit(id, parameter->getNormalized());
}

void VST3ParameterBinding::endEdit()
{
    controller->endEdit(id);
}

void VST3ParameterBinding::refreshControls()
{
    for (CControl* control : controls)
        applyValue(*control);
}

void PLUGIN_API VST3ParameterBinding::update(FUnknown*, int32 message)
{
    if (message != kChanged)
        return;
    if (pending->onEditorThread())
        refreshControls();
    else
        pending->post(id);
}

} // namespace VSTGUI
