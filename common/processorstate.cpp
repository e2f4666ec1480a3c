#include "common/processorstate.h"

#include "base/source/fstreamer.h"

namespace quorvelware
{

using namespace Steinberg;

tresult readProcessorState(IBStream* stream, const ParamRange* ranges, ProcessorValues& values)
{
    if (stream == nullptr)
        return kResultFalse;
    IBStreamer streamer(stream, kLittleEndian);
    // Everything is read into a copy first, so a project saved by a damaged
    // host or cut short on disk cannot leave half a state behind.
    ProcessorValues incoming;
    bool bypass = false;
    if (!streamer.readBool(bypass))
        return kResultFalse;
    incoming.bypass = bypass;
    for (int k = 0; k < kProcessorParamCount; ++k)
    {
        float normalized = 0.0f;
        if (!streamer.readFloat(normalized))
            return kResultFalse;
        // Not validated: the patch step bounds every value before it is used.
        incoming.plain[k] = plainFromNormalized(normalized, ranges[k]);
    }
    values = incoming;
    return kResultOk;
}

tresult writeProcessorState(IBStream* stream, const ParamRange* ranges,
                            const ProcessorValues& values)
{
    if (stream == nullptr)
        return kInvalidArgument;
    IBStreamer streamer(stream, kLittleEndian);
    // A host whose stream refuses bytes must hear of it: it would otherwise
    // store a truncated project that cannot be loaded again.
    bool complete = streamer.writeBool(values.bypass);
    for (int k = 0; k < kProcessorParamCount; ++k)
        complete = streamer.writeFloat(normalizedFromPlain(values.plain[k], ranges[k])) && complete;
    return complete ? kResultOk : kResultFalse;
}

} // namespace quorvelware
