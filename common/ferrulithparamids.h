// Parameter identifiers shared by the processor, the controller and the editor.
// They are stored in hosts' projects and automation, so they never change.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace quorvelware
{

// The eight sound parameters; identifier k is the patch's parameter record k
// and the k-th value of the processor state.
const Steinberg::Vst::ParamID kPreampId = 0;
const Steinberg::Vst::ParamID kNoiseId = 1;
const Steinberg::Vst::ParamID kVolumeId = 2;
const Steinberg::Vst::ParamID kLoId = 3;
const Steinberg::Vst::ParamID kResId = 4;
const Steinberg::Vst::ParamID kCutId = 5;
const Steinberg::Vst::ParamID kHiId = 6;
const Steinberg::Vst::ParamID kBoostId = 7;

const Steinberg::Vst::ParamID kBypassId = 8;
// Program change of the "Presets" list; also that list's identifier.
const Steinberg::Vst::ParamID kPresetsId = 9;

const int kSoundParamCount = 8;

} // namespace quorvelware
