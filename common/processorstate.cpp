#include "common/processorstate.h"

#include "base/source/fstreamer.h"

#include <cmath>

namespace quorvelware
{

using namespace Steinberg;

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
    // No state this plug-in writes holds a NaN or an infinity; such a stream
    // is corrupt, and a NaN would play as the parameter's maximum (a full
    // scale signal on loading a project) while the controller shows 0.
    for (float& normalized : incoming.normalized)
        if (!streamer.readFloat(normalized) || !std::isfinite(normalized))
            return kResultFalse;
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
