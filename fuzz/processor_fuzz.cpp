// The processor driven by a hostile host: set-ups at any rate, state bytes of
// any content, bus arrangements, activation in any order, and blocks of any
// size and shape whose parameter queues hold any value. What must hold:
// - a set-up is refused exactly when its rate, in the 32 bits a patch is
//   built for, is not finite and positive;
// - a state is taken exactly when it holds 34 bytes of values that are finite
//   also in the patch's units, whole or not at all; what is saved is 34 bytes with a flag of 0 or
//   1, and another processor given it saves the same values;
// - at the rates hosts run (1 kHz to 768 kHz) finite input gives finite
//   output, and an inactive processor writes silence.
#include "dsp/patch_params.h"
#include "fuzz_check.h"
#include "fuzz_values.h"
#include "processor/ferrulithprocessor.h"
#include "hostkit/audio_block.h"
#include "hostkit/memory_stream.h"
#include "hostkit/parameter_changes.h"
#include "hostkit/vst_ptr.h"
#include "support/odd_queue.h"

#include <cmath>
#include <cstring>
#include <deque>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::host;
using ferrulith::fuzz::anyDouble;
using ferrulith::fuzz::check;
using ferrulith::test::OddQueue;

namespace
{

using Bytes = std::vector<uint8_t>;

class Processor
{
public:
    Processor()
    {
        const auto object =
            VstPtr<FUnknown>::adopt(quorvelware::FerrulithProcessor::createInstance(nullptr));
        comp = queryInterface<IComponent>(object);
        proc = queryInterface<IAudioProcessor>(object);
        comp->initialize(nullptr);
    }
    ~Processor()
    {
        comp->setActive(false);
        comp->terminate();
    }
    Bytes state()
    {
        MemoryStream stream;
        check(comp->getState(&stream) == kResultOk, "getState answers kResultOk");
        return stream.bytes();
    }
    tresult setState(const Bytes& bytes)
    {
        MemoryStream stream(bytes);
        return comp->setState(&stream);
    }

    VstPtr<IComponent> comp;
    VstPtr<IAudioProcessor> proc;
};

float valueAt(const Bytes& state, int k)
{
    float value = 0.0f;
    std::memcpy(&value, state.data() + 2 + 4 * k, sizeof value);
    return value;
}

void checkSavedState(const Bytes& saved)
{
    check(saved.size() == 34, "a saved state is 34 bytes");
    check((saved[0] == 0 || saved[0] == 1) && saved[1] == 0, "the saved flag is 0 or 1");
    // Read by another processor and saved again: the same flag, and each value
    // within the rounding of one more conversion to the patch's units.
    Processor other;
    check(other.setState(saved) == kResultOk, "a saved state is accepted");
    const Bytes again = other.state();
    check(again[0] == saved[0], "the flag survives a round trip");
    for (int k = 0; k < 8; ++k)
    {
        const float a = valueAt(saved, k);
        const float b = valueAt(again, k);
        if (std::isnan(a) || std::isinf(a))
            continue;
        check(std::fabs(a - b) <= 1e-6f * std::fmax(1.0f, std::fabs(a)),
              "a value survives a round trip");
    }
}

void setState(Processor& p, FuzzedDataProvider& in)
{
    const Bytes before = p.state();
    const Bytes given = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 40));
    const tresult result = p.setState(given);
    const Bytes after = p.state();
    // Finite also in the patch's units, where "lo" doubles a value.
    bool whole = given.size() >= 34;
    for (int k = 0; whole && k < 8; ++k)
    {
        const patch_param_spec_t& spec = patch_param_specs[k];
        whole = std::isfinite((spec.max - spec.min) * valueAt(given, k) + spec.min);
    }
    check((result == kResultOk) == whole, "a state is taken exactly when it is whole and finite");
    if (result != kResultOk)
        check(after == before, "a refused state changes nothing");
    checkSavedState(after);
}

ParameterChanges* fillChanges(ParameterChanges& changes, std::deque<OddQueue>& claiming,
                              FuzzedDataProvider& in)
{
    const int queues = in.ConsumeIntegralInRange(0, 16);
    for (int q = 0; q < queues; ++q)
    {
        const ParamID id = in.ConsumeBool() ? in.ConsumeIntegralInRange<ParamID>(0, 10)
                                            : in.ConsumeIntegral<ParamID>();
        switch (in.ConsumeIntegralInRange(0, 15))
        {
        case 0:
            changes.appendForeign(nullptr);
            break;
        case 1:
            claiming.emplace_back(id, in.ConsumeIntegral<int32>(), 0, anyDouble(in));
            changes.appendForeign(&claiming.back());
            break;
        default:
        {
            ParamValueQueue& queue = changes.appendQueue(id);
            const int points = in.ConsumeIntegralInRange(0, 3);
            for (int i = 0; i < points; ++i)
                queue.point(in.ConsumeIntegral<int32>(), anyDouble(in));
        }
        }
    }
    return &changes;
}

void processBlock(Processor& p, FuzzedDataProvider& in, bool active, bool soundRate)
{
    const int32 frames = in.ConsumeIntegralInRange<int32>(-2, 1024);
    const int32 inputs = in.ConsumeIntegralInRange<int32>(0, 3);
    const int32 outputs = in.ConsumeIntegralInRange<int32>(0, 3);
    AudioBlock block(std::max<int32>(frames, 0), inputs, outputs);
    block.setNumSamples(frames);
    const float level = in.ConsumeFloatingPoint<float>();
    block.fillInputs([&](int c, int i) { return std::sin(0.01f * float(i * (c + 1))) * level; });
    const uint8_t shape = in.ConsumeIntegral<uint8_t>();
    if (shape & 1)
        block.shareBuffers();
    if ((shape & 2) && inputs > 0)
        block.nullInputChannel(in.ConsumeIntegralInRange(0, inputs - 1));
    int32 nulledOutput = -1;
    if ((shape & 4) && outputs > 0)
    {
        nulledOutput = in.ConsumeIntegralInRange(0, outputs - 1);
        block.nullOutputChannel(nulledOutput);
    }
    if (shape & 8)
        block.dropInputBus();
    if (shape & 16)
        block.claimInputChannels(in.ConsumeIntegralInRange<int32>(-1, inputs));
    ParameterChanges changes;
    std::deque<OddQueue> claiming;
    block.setParameterChanges(fillChanges(changes, claiming, in));

    check(p.proc->process(block.data()) == kResultOk, "process answers kResultOk");
    if (frames <= 0)
        return;
    for (int32 c = 0; c < outputs; ++c)
    {
        if (c == nulledOutput)
            continue;
        // Shared buffers: output channel c was written into input channel c.
        const bool shared = (shape & 1) && c < inputs;
        for (float sample : shared ? block.input(c) : block.output(c))
        {
            if (!active)
                check(sample == 0.0f, "an inactive processor writes silence");
            else if (soundRate && std::isfinite(level))
                check(std::isfinite(sample), "finite input gives finite output");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    Processor p;
    bool active = false;
    bool soundRate = true; // 44100 Hz until a set-up says otherwise
    for (int op = 0; op < 24 && in.remaining_bytes() > 0; ++op)
    {
        switch (in.ConsumeIntegralInRange(0, 7))
        {
        case 0:
        {
            const double rate = anyDouble(in);
            ProcessSetup setup{kRealtime, kSample32, 1024, rate};
            const float rate32 = static_cast<float>(rate);
            const bool valid = std::isfinite(rate32) && rate32 > 0.0f;
            check((p.proc->setupProcessing(setup) == kInvalidArgument) == !valid,
                  "only rates that are not finite and positive are refused");
            if (valid)
                soundRate = rate >= 1000.0 && rate <= 768000.0;
            break;
        }
        case 1:
            setState(p, in);
            break;
        case 2:
        {
            const bool on = in.ConsumeBool();
            if (p.comp->setActive(on) == kResultOk)
                active = on;
            break;
        }
        case 3:
        {
            SpeakerArrangement in1 = in.ConsumeIntegral<uint64_t>() & 0x3F;
            SpeakerArrangement out1 = in.ConsumeIntegral<uint64_t>() & 0x3F;
            p.proc->setBusArrangements(&in1, 1, &out1, 1);
            break;
        }
        default:
            processBlock(p, in, active, soundRate);
            break;
        }
    }
    checkSavedState(p.state());
    return 0;
}
