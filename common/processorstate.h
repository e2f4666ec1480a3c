// The processor state stream: a 16-bit bypass flag (0 or 1), then the
// normalized values of parameters 0 to 7 as 32-bit floats, little-endian, 34
// bytes with no header. Hosts store it in projects and hand it to both the
// processor and the controller, so its layout never changes; this is its one
// reader and writer.
#pragma once

#include "common/ferrulithparamids.h"
#include "pluginterfaces/base/ibstream.h"

namespace quorvelware
{

struct ProcessorState
{
    bool bypass = false;
    float normalized[kSoundParamCount] = {};
};

// A sound parameter's range in the engine's own units.
struct ParamRange
{
    float min;
    float max;
};

// The engine's range of sound parameter k (0 to 7).
ParamRange soundParamRange(int k);

// The state's normalized values and the engine's plain ones: 32-bit
// throughout, unclamped.
float normalizedFromPlain(float plain, ParamRange range);
float plainFromNormalized(float normalized, ParamRange range);

// Reads the 34 bytes at the stream's position. All or nothing: on a null or
// short stream, or one holding a value that is no finite number in the
// engine's units (a NaN, an infinity, or a finite value so far outside
// [0, 1] that its parameter's range takes it past the largest float),
// `state` is left as it was and the answer is kResultFalse. Bytes beyond the
// 34th stay unread. Other values outside [0, 1] are kept: the sound and the
// controller's parameters bound them.
Steinberg::tresult readProcessorState(Steinberg::IBStream* stream, ProcessorState& state);

// Writes the 34 bytes at the stream's position; kInvalidArgument for a null
// stream, kResultFalse when the stream took fewer bytes than offered.
Steinberg::tresult writeProcessorState(Steinberg::IBStream* stream, const ProcessorState& state);

} // namespace quorvelware
