// What the processor persists and what the sound runs with: the bypass flag and
// the eight sound parameters in the patch's plain units, with the conversions
// to and from the normalized values that hosts and the state stream carry.
#pragma once

#include "common/ferrulithparamids.h"
#include "common/processorstate.h"
#include "dsp/patch.h"

namespace quorvelware
{

// Plain values, not normalized ones: a normalized round trip is not exact
// ("lo" 0.300000012 comes back as 0.299999952), and a processor must keep
// exactly the values it was given or built with.
struct ProcessorValues
{
    bool bypass = false;
    float plain[kSoundParamCount] = {};
};

// The values a new patch starts with, read from the engine's parameter table
// so that the engine stays their one definition.
ProcessorValues engineStartValues();

ProcessorValues valuesOf(const patch_t& patch);
void loadValues(patch_t& patch, const ProcessorValues& values);

// The state stream's view of the values and back, over the engine's ranges:
// 32-bit throughout, unclamped.
ProcessorState stateFromValues(const ProcessorValues& values);
ProcessorValues valuesFromState(const ProcessorState& state);

// Host parameter changes: the span in 32-bit, the rest from the host's 64-bit
// value in 64-bit, rounded once to the record's 32-bit width. Unclamped: the
// patch step bounds the value.
float plainFromHostValue(double normalized, ParamRange range);

// Host bypass: on for any value other than 0.0 (NaN counts as off).
inline bool bypassFromHostValue(double value)
{
    return value < 0.0 || value > 0.0;
}

} // namespace quorvelware
