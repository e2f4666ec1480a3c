#include "processorvalues.h"

#include "dsp/patch_params.h"

namespace quorvelware
{

ProcessorValues engineStartValues()
{
    ProcessorValues start;
    for (int k = 0; k < kSoundParamCount; ++k)
        start.plain[k] = patch_param_specs[k].value;
    // A new patch starts with bypass off.
    start.bypass = false;
    return start;
}

ProcessorValues valuesOf(const patch_t& patch)
{
    ProcessorValues values;
    values.bypass = patch.bypass != 0;
    for (int k = 0; k < kSoundParamCount; ++k)
        values.plain[k] = patch.params[k]->value;
    return values;
}

void loadValues(patch_t& patch, const ProcessorValues& values)
{
    patch.bypass = values.bypass ? 1 : 0;
    for (int k = 0; k < kSoundParamCount; ++k)
        patch.params[k]->value = values.plain[k];
}

ProcessorState stateFromValues(const ProcessorValues& values)
{
    ProcessorState state;
    state.bypass = values.bypass;
    for (int k = 0; k < kSoundParamCount; ++k)
        state.normalized[k] = normalizedFromPlain(values.plain[k], soundParamRange(k));
    return state;
}

ProcessorValues valuesFromState(const ProcessorState& state)
{
    ProcessorValues values;
    values.bypass = state.bypass;
    for (int k = 0; k < kSoundParamCount; ++k)
        values.plain[k] = plainFromNormalized(state.normalized[k], soundParamRange(k));
    return values;
}

float plainFromHostValue(double normalized, ParamRange range)
{
    const float span = range.max - range.min;
    const double plain = static_cast<double>(span) * normalized + static_cast<double>(range.min);
    return static_cast<float>(plain);
}

} // namespace quorvelware
