// Parameter identifiers shared by the processor, the controller and the editor,
// and what the controller registers for each. They are stored in hosts'
// projects and automation, so they never change.
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

constexpr int kSoundParamCount = 8;

// One parameter as hosts see it. Units null means none at all, which hosts
// show as they show the empty text.
struct ParameterSpec
{
    Steinberg::Vst::ParamID id;
    const Steinberg::Vst::TChar* title;
    const Steinberg::Vst::TChar* units;
    Steinberg::int32 stepCount;
    Steinberg::Vst::ParamValue defaultValue;
};

// Every parameter but "Presets" (which the program list makes), in the order
// hosts list them: "Bypass" first. All are automatable. The defaults 0.1, 0.3
// and 0.4 are the 32-bit values widened, which is what the patch's own
// defaults normalize to.
inline constexpr ParameterSpec kParameterSpecs[] = {
    {kBypassId, STR16("Bypass"), nullptr, 1, 0.0},
    {kPreampId, STR16("Preamp"), STR16(""), 0, static_cast<double>(0.1f)},
    {kNoiseId, STR16("Noise"), STR16(""), 0, static_cast<double>(0.3f)},
    {kVolumeId, STR16("Volume"), STR16(""), 0, 0.5},
    {kLoId, STR16("Lo"), STR16(""), 0, 0.5},
    {kResId, STR16("Res"), STR16(""), 0, static_cast<double>(0.4f)},
    {kCutId, STR16("Cut"), STR16(""), 0, 0.5},
    {kHiId, STR16("Hi"), STR16(""), 0, 0.5},
    {kBoostId, STR16("Boost"), STR16(""), 0, static_cast<double>(0.1f)},
};

} // namespace quorvelware
