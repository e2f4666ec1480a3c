#include "processorvalues.h"

#include "dsp/patch_params.h"

namespace quorvelware
{

PatchDefaults enginePatchDefaults()
{
    PatchDefaults defaults;
    for (int k = 0; k < kSoundParamCount; ++k)
    {
        defaults.ranges[k] = soundParamRange(k);
        defaults.start.plain[k] = patch_param_specs[k].value;
    }
    // A new patch starts with bypass off.
    defaults.start.bypass = false;
    return defaults;
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

ProcessorState stateFromValues(const ProcessorValues& values, const ParamRange* ranges)
{
    ProcessorState state;
    state.bypass = values.bypass;
    for (int k = 0; k < kSoundParamCount; ++k)
        state.normalized[k] = normalizedFromPlain(values.plain[k], ranges[k]);
    return state;
}

ProcessorValues valuesFromState(const ProcessorState& state, const ParamRange* ranges)
{
    ProcessorValues values;
    values.bypass = state.bypass;
    for (int k = 0; k < kSoundParamCount; ++k)
        values.plain[k] = plainFromNormalized(state.normalized[k], ranges[k]);
    return values;
}

float plainFromHostValue(double normalized, ParamRange range)
{
    const float span = range.max - range.min;
    const double plain = static_cast<double>(span) * normalized + static_cast<double>(range.min);
    return static_cast<float>(plain);
}

} // namespace quorvelware
