// Drives one FerrulithProcessor the way a host does: created through the
// factory's create function, reached only through its interfaces.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "hostkit/audio_block.h"
#include "hostkit/memory_stream.h"
#include "hostkit/parameter_changes.h"
#include "hostkit/vst_ptr.h"
#include "support/state_bytes.h"

#include <cstdint>
#include <vector>

namespace ferrulith::test
{

using host::AudioBlock;
using host::MemoryStream;
using host::ParameterChanges;

class ProcessorHost
{
public:
    ProcessorHost();
    ~ProcessorHost();
    ProcessorHost(const ProcessorHost&) = delete;
    ProcessorHost& operator=(const ProcessorHost&) = delete;

    Steinberg::Vst::IComponent* component() { return comp.get(); }
    Steinberg::Vst::IAudioProcessor* processor() { return proc.get(); }

    Steinberg::tresult initialize() { return comp->initialize(nullptr); }
    Steinberg::tresult setup(double sampleRate,
                             Steinberg::int32 sampleSize = Steinberg::Vst::kSample32);
    Steinberg::tresult activate() { return comp->setActive(true); }
    Steinberg::tresult deactivate() { return comp->setActive(false); }
    // initialize, setup at sampleRate, activate; each must succeed.
    void start(double sampleRate = 44100.0);

    Steinberg::tresult setOutputArrangement(Steinberg::Vst::SpeakerArrangement arrangement);

    Bytes state();
    Steinberg::tresult setState(const Bytes& bytes);

    Steinberg::tresult process(AudioBlock& block) { return proc->process(block.data()); }

private:
    host::VstPtr<Steinberg::Vst::IComponent> comp;
    host::VstPtr<Steinberg::Vst::IAudioProcessor> proc;
};

} // namespace ferrulith::test
