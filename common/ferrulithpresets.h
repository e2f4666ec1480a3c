// The seven factory presets, defined once for the controller (program list,
// program data) and the processor (program changes change the sound).
#pragma once

#include <cstdint>

#include "common/ferrulithparamids.h"

namespace quorvelware
{

constexpr int kPresetCount = 7;

// Row i is program i of the "Presets" list; column k is the normalized value
// of parameter identifier k.
extern const char* const kPresetNames[kPresetCount];
extern const float kPresetValues[kPresetCount][kSoundParamCount];

// The preset row that a normalized value of the program-change parameter
// selects. Values outside [0, 1] count as the nearest end, NaN as 0, so every
// value selects a row of the table.
int32_t presetRowForValue(double normalized);

} // namespace quorvelware
