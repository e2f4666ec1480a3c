#include "processorvalues.h"

namespace quorvelware
{
PatchDefaults patchDefaultsFrom(const patch_t& patch)
{
    PatchDefaults defaults;
    for (int k = 0; k < kProcessorParamCount; ++k)
        defaults.ranges[k] = {patch.params[k]->min, patch.params[k]->max};
    defaults.start = valuesOf(patch);
    return defaults;
}

ProcessorValues valuesOf(const patch_t& patch)
{
    ProcessorValues values;
    values.bypass = patch.bypass != 0;
    for (int k = 0; k < kProcessorParamCount; ++k)
        values.plain[k] = patch.params[k]->value;
    return values;
}

void loadValues(patch_t& patch, const ProcessorValues& values)
{
    patch.bypass = values.bypass ? 1 : 0;
    for (int k = 0; k < kProcessorParamCount; ++k)
        patch.params[k]->value = values.plain[k];
}

float normalizedFromPlain(float plain, ParamRange range)
{
    const float a = plain - range.min;
    const float b = range.max - range.min;
    return a / b;
}

float plainFromNormalized(float normalized, ParamRange range)
{
    const float b = range.max - range.min;
    const float p = b * normalized;
    return p + range.min;
}

float plainFromHostValue(double normalized, ParamRange range)
{
    const float span = range.max - range.min;
    const double plain = static_cast<double>(span) * normalized + static_cast<double>(range.min);
    return static_cast<float>(plain);
}

} // namespace quorvelware
