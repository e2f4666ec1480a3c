// FerrulithProcessor: the audio component. One stereo input, one stereo
// output, 32-bit samples; it runs the host's blocks through a DSP patch built
// on activation, applies parameter changes and program changes, and saves and
// restores the bypass flag and the eight sound values.
#pragma once

#include <cstdint>

#include "dsp/patch.h"
#include "processorvalues.h"
#include "public.sdk/source/vst/vstaudioeffect.h"
#include "valuehandover.h"

namespace quorvelware
{

class FerrulithProcessor : public Steinberg::Vst::AudioEffect
{
public:
    FerrulithProcessor();
    ~FerrulithProcessor() override;

    // The factory's create function: the new processor's IAudioProcessor as
    // FUnknown with one reference, or null when memory is short.
    static Steinberg::FUnknown* createInstance(void* context);

    Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
    Steinberg::tresult PLUGIN_API terminate() override;
    Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) override;
    Steinberg::tresult PLUGIN_API
    canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
    Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;

protected:
    // What a block's parameter changes write into the patch for all of its
    // frames: the last point of every changed parameter's queue. A
    // program change loads its preset's values beneath the block's own edits
    // of the sound parameters, so that edits sent in the same block as a
    // preset choice win over the preset's values.
    struct BlockEdits
    {
        float plain[kSoundParamCount] = {};
        uint32_t paramMask = 0; // bit k: plain[k] is written
        bool writesBypass = false;
        uint8_t bypass = 0;
    };

    // Reads the host's queues; once per block, since they hold the same
    // points for every frame of it.
    BlockEdits readParameterChanges(Steinberg::Vst::ProcessData& data);
    // Writes the edits into the patch, once before the block: the engine
    // clamps a value in place, and clamping a clamped value changes nothing,
    // so writing them again before every frame would give the same sound.
    void applyParameterChanges(const BlockEdits& edits);

private:
    void applyPresetBeneath(double programValue, BlockEdits& edits);
    Steinberg::int32 outputSpeakerCount();

    // Owned; non-null exactly while active. Written only by setActive.
    patch_t* patch = nullptr;

    // Main thread only, while inactive: the values the next activation starts
    // from.
    ProcessorValues held;

    // While active: the values between setState and getState on the main
    // thread and the blocks on the audio thread.
    ValueHandOver handOver;
};

} // namespace quorvelware
