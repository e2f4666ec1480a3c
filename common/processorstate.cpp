#include "common/processorstate.h"

#include "base/source/fstreamer.h"
#include "dsp/patch_params.h"

#include <cmath>

namespace quorvelware
{

using namespace Steinberg;

static_assert(kSoundParamCount == PATCH_PARAM_COUNT,
              "sound parameter k is the patch's parameter record k");

ParamRange soundParamRange(int k)
{
    return {patch_param_specs[k].min, patch_param_specs[k].max};
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

tresult readProcessorState(IBStream* stream, ProcessorState& state)
{
    if (stream == nullptr)
        return kResultFalse;
    IBStreamer streamer(stream, kLittleEndian);
    // Everything is read into a copy first, so a project saved by a damaged
    // host or cut short on disk cannot leave half a state behind.
    ProcessorState incoming;
    if (!streamer.readBool(incoming.bypass))
        return kResultFalse;
    // No state this plug-in writes holds a value that is no finite number in
    // the engine's units; such a stream is corrupt. A NaN would play as the
    // parameter's maximum (a full-scale signal on loading a project) while
    // the controller shows 0, and an infinity would be saved again as one
    // that no processor loads. Processor and controller refuse alike.
    for (int k = 0; k < kSoundParamCount; ++k)
    {
        float& normalized = incoming.normalized[k];
        if (!streamer.readFloat(normalized) ||
            !std::isfinite(plainFromNormalized(normalized, soundParamRange(k))))
            return kResultFalse;
    }
    state = incoming;
    return kResultOk;
}

tresult writeProcessorState(IBStream* stream, const ProcessorState& state)
{
    if (stream == nullptr)
        return kInvalidArgument;
    IBStreamer streamer(stream, kLittleEndian);
    // A host whose stream refuses bytes must hear of it: it would otherwise
    // store a truncated project that cannot be loaded again.
    bool complete = streamer.writeBool(state.bypass);
    for (float normalized : state.normalized)
        complete = streamer.writeFloat(normalized) && complete;
    return complete ? kResultOk : kResultFalse;
}

} // namespace quorvelware
