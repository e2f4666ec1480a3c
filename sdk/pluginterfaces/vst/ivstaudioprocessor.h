// IAudioProcessor, the audio side of a component: bus arrangements, set-up and
// the per-block process call with the records it exchanges.
#pragma once

#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vstspeaker.h"

namespace Steinberg
{
namespace Vst
{

class IParameterChanges;
class IEventList;
struct ProcessContext;

// Class category of the processor in the factory's class records.
#define kVstAudioEffectClass "Audio Module Class"

// Sub-categories for the class records ("Fx|Distortion" ...).
namespace PlugType
{
SMTG_CONSTEXPR const CString kFx = "Fx";
SMTG_CONSTEXPR const CString kFxAnalyzer = "Fx|Analyzer";
SMTG_CONSTEXPR const CString kFxDelay = "Fx|Delay";
SMTG_CONSTEXPR const CString kFxDistortion = "Fx|Distortion";
SMTG_CONSTEXPR const CString kFxDynamics = "Fx|Dynamics";
SMTG_CONSTEXPR const CString kFxEQ = "Fx|EQ";
SMTG_CONSTEXPR const CString kFxFilter = "Fx|Filter";
SMTG_CONSTEXPR const CString kFxGenerator = "Fx|Generator";
SMTG_CONSTEXPR const CString kFxModulation = "Fx|Modulation";
SMTG_CONSTEXPR const CString kFxReverb = "Fx|Reverb";
SMTG_CONSTEXPR const CString kFxTools = "Fx|Tools";
SMTG_CONSTEXPR const CString kInstrument = "Instrument";
SMTG_CONSTEXPR const CString kMono = "Mono";
SMTG_CONSTEXPR const CString kStereo = "Stereo";
} // namespace PlugType

// Class flags of the processor's class record.
enum ComponentFlags
{
    kDistributable = 1 << 0,
    kSimpleModeSupported = 1 << 1
};

enum SymbolicSampleSizes
{
    kSample32,
    kSample64
};

enum ProcessModes
{
    kRealtime,
    kPrefetch,
    kOffline
};

static const uint32 kNoTail = 0;
static const uint32 kInfiniteTail = kMaxInt32u;

#include "pluginterfaces/base/falignpush.h"

struct ProcessSetup
{
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    SampleRate sampleRate;
};

// The channels of one bus for one block: channelBuffers32 or
// channelBuffers64 as ProcessData::symbolicSampleSize says.
struct AudioBusBuffers
{
    AudioBusBuffers() : numChannels(0), silenceFlags(0), channelBuffers64(nullptr) {}

    int32 numChannels;
    uint64 silenceFlags;
    union
    {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

struct ProcessData
{
    ProcessData()
        : processMode(0), symbolicSampleSize(kSample32), numSamples(0), numInputs(0), numOutputs(0),
          inputs(nullptr), outputs(nullptr), inputParameterChanges(nullptr),
          outputParameterChanges(nullptr), inputEvents(nullptr), outputEvents(nullptr),
          processContext(nullptr)
    {
    }

    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

#include "pluginterfaces/base/falignpop.h"

class IAudioProcessor : public FUnknown
{
public:
    virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                  SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                                 SpeakerArrangement& arr) = 0;
    virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 PLUGIN_API getLatencySamples() = 0;
    virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
    virtual tresult PLUGIN_API process(ProcessData& data) = 0;
    virtual uint32 PLUGIN_API getTailSamples() = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IAudioProcessor, 0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D)

// Which ProcessContext fields the processor needs from the host.
class IProcessContextRequirements : public FUnknown
{
public:
    enum Flags
    {
        kNeedSystemTime = 1 << 0,
        kNeedContinousTimeSamples = 1 << 1,
        kNeedProjectTimeMusic = 1 << 2,
        kNeedBarPositionMusic = 1 << 3,
        kNeedCycleMusic = 1 << 4,
        kNeedSamplesToNextClock = 1 << 5,
        kNeedTempo = 1 << 6,
        kNeedTimeSignature = 1 << 7,
        kNeedChord = 1 << 8,
        kNeedFrameRate = 1 << 9,
        kNeedTransportState = 1 << 10
    };

    virtual uint32 PLUGIN_API getProcessContextRequirements() = 0;

    static const FUID iid;
};
DECLARE_CLASS_IID(IProcessContextRequirements, 0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0)

} // namespace Vst
} // namespace Steinberg
