// FerrulithProcessor: the audio component. One stereo input, one stereo
// output, 32-bit samples; it runs the host's blocks through a DSP patch built
// on activation, applies parameter changes and program changes, and saves and
// restores the bypass flag and the eight sound values.
#pragma once

#include <atomic>
#include <cstdint>

#include "dsp/patch.h"
#include "processorvalues.h"
#include "public.sdk/source/vst/vstaudioeffect.h"
#include "valueslot.h"

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
    // What a block's parameter changes write into the patch before each of
    // its frames: the last point of every changed parameter's queue, a
    // program change first, then the sound parameters and bypass, so that
    // edits sent in the same block as a preset choice win over the preset's
    // values. Each destination keeps the last value written to it.
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
    // Writes the edits into the patch. Before every frame, as the step may
    // have clamped a value in place.
    void applyParameterChanges(const BlockEdits& edits);

private:
    void applyPreset(double programValue, BlockEdits& edits);
    uint32_t takeHandedOverValues(uint32_t taken);
    ProcessorValues valuesInUse() const;
    Steinberg::int32 outputSpeakerCount();

    // Owned; non-null exactly while active. Written only by setActive.
    patch_t* patch = nullptr;

    // Ranges and starting values of the engine's records, known before any
    // patch exists so that states can be read and written while inactive.
    const PatchDefaults defaults;

    // Main thread only. While inactive: the values the next activation starts
    // from. While active: the last values given to setState, which the audio
    // thread may not have taken yet.
    ProcessorValues held;
    uint32_t handedSequence = 0;

    // Main thread -> audio thread: values from setState, taken at the start of
    // the next block.
    ValueSlot handOver;
    // Audio thread -> main thread: the values the sound ran with at the end of
    // the last block.
    ValueSlot inUse;
    // The hand-over sequence the audio thread has taken; stored after `inUse`
    // is written, so once it matches `handedSequence` the main thread knows
    // `inUse` includes those values.
    std::atomic<uint32_t> takenSequence{0};
};

} // namespace quorvelware
