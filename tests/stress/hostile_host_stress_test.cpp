// The real bundle driven as a hostile host drives it: set-up, bus
// arrangements, activation and initialization in random order, blocks of any
// channel count and of more frames than the set-up announced, missing buses
// and channels, queues full of NaN and infinities, and saved or corrupt states
// handed over on the main thread while the audio thread keeps processing.
// What must hold: no crash, every block answered kResultOk, finite output for
// finite input, and silence while inactive.
#include "hostkit/plugin_module.h"
#include "hostkit/memory_stream.h"
#include "hostkit/parameter_changes.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::host;

namespace
{

constexpr float kMarker = 12345.0f;
constexpr int32 kAnnouncedBlock = 64;

using Random = std::mt19937;

int pick(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

double hostileValue(Random& random)
{
    using limits = std::numeric_limits<double>;
    const double special[] = {
        limits::quiet_NaN(), limits::infinity(), -limits::infinity(), -1.0, 2.0, 1e300, -0.0,
        limits::denorm_min()};
    if (pick(random, 0, 2) == 0)
        return special[pick(random, 0, 7)];
    return std::uniform_real_distribution<double>(0.0, 1.0)(random);
}

float finiteSample(Random& random)
{
    switch (pick(random, 0, 9))
    {
    case 0:
        return pick(random, 0, 1) ? 1e30f : -1e30f;
    case 1:
        return std::numeric_limits<float>::denorm_min();
    default:
        return std::uniform_real_distribution<float>(-1.0f, 1.0f)(random);
    }
}

// One block as a careless host builds it: any number of buses and channels,
// with some bus arrays, channel arrays and channels missing.
class HostileBlock
{
public:
    HostileBlock(Random& random)
    {
        data.numSamples = pick(random, 0, 9) == 0 ? pick(random, -2, 0) : pick(random, 1, 4096);
        const size_t frames = static_cast<size_t>(std::max<int32>(data.numSamples, 0));
        makeBuses(random, inputs, inputBuses, frames, true);
        makeBuses(random, outputs, outputBuses, frames, false);
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numInputs = static_cast<int32>(inputBuses.size());
        data.numOutputs = static_cast<int32>(outputBuses.size());
        data.inputs = pick(random, 0, 15) == 0 ? nullptr : inputBuses.data();
        data.outputs = pick(random, 0, 15) == 0 ? nullptr : outputBuses.data();
        const int queues = pick(random, 0, 16);
        for (int q = 0; q < queues; ++q)
        {
            auto& queue = changes.appendQueue(static_cast<ParamID>(pick(random, 0, 11)));
            for (int p = pick(random, 0, 16); p > 0; --p)
                queue.point(pick(random, -5, 5000), hostileValue(random));
        }
        data.inputParameterChanges = pick(random, 0, 7) == 0 ? nullptr : &changes;
    }

    ProcessData data{};

    // Every output sample the host can see: finite, and 0 where silence is due.
    bool allFinite() const
    {
        return every([](float s) { return std::isfinite(s); });
    }
    bool allSilent() const
    {
        return every([](float s) { return s == 0.0f; });
    }

private:
    struct Channels
    {
        std::vector<std::vector<float>> buffers;
        std::vector<float*> pointers;
    };

    void makeBuses(Random& random, std::vector<Channels>& channels,
                   std::vector<AudioBusBuffers>& buses, size_t frames, bool input)
    {
        channels.resize(static_cast<size_t>(pick(random, 0, 2)));
        for (Channels& bus : channels)
        {
            const int count = pick(random, 0, 8);
            for (int c = 0; c < count; ++c)
            {
                bus.buffers.emplace_back(frames, kMarker);
                if (input)
                    for (float& s : bus.buffers.back())
                        s = finiteSample(random);
                bus.pointers.push_back(pick(random, 0, 9) == 0 ? nullptr
                                                               : bus.buffers.back().data());
            }
            AudioBusBuffers record{};
            record.numChannels = count;
            record.channelBuffers32 = pick(random, 0, 15) == 0 ? nullptr : bus.pointers.data();
            buses.push_back(record);
        }
    }

    template <class Test> bool every(Test test) const
    {
        if (data.numSamples <= 0 || data.outputs == nullptr)
            return true;
        for (const AudioBusBuffers& bus : outputBuses)
        {
            if (bus.channelBuffers32 == nullptr)
                continue;
            for (int32 c = 0; c < bus.numChannels; ++c)
            {
                const float* channel = bus.channelBuffers32[c];
                for (int32 i = 0; channel && i < data.numSamples; ++i)
                    if (!test(channel[i]))
                        return false;
            }
        }
        return true;
    }

    std::vector<Channels> inputs, outputs;
    std::vector<AudioBusBuffers> inputBuses, outputBuses;
    ParameterChanges changes;
};

// A state as a host might hand it over: whole, cut short, or holding
// non-finite or out-of-range values.
std::vector<uint8_t> hostileState(Random& random)
{
    std::vector<uint8_t> bytes{static_cast<uint8_t>(pick(random, 0, 255)), 0};
    for (int k = 0; k < 8; ++k)
    {
        const float value = static_cast<float>(hostileValue(random));
        uint8_t raw[4];
        std::memcpy(raw, &value, 4);
        bytes.insert(bytes.end(), raw, raw + 4);
    }
    bytes.resize(static_cast<size_t>(pick(random, 0, 3) == 0 ? pick(random, 0, 40) : 34));
    return bytes;
}

// The audio thread: processes blocks until stopped, standing still whenever
// the main thread needs the processor to itself for a set-up call.
class AudioThread
{
public:
    AudioThread(IAudioProcessor& processor, unsigned seed)
        : thread([this, &processor, seed] { run(processor, seed); })
    {
    }
    ~AudioThread()
    {
        stopped = true;
        thread.join();
    }

    // Waits until no block runs, and keeps it so until resume().
    void pause()
    {
        pauseWanted = true;
        while (!idle)
            std::this_thread::yield();
    }
    void resume(bool isActive)
    {
        active = isActive;
        pauseWanted = false;
    }

    std::atomic<int> blocks{0}, activeBlocks{0}, refused{0}, nonFinite{0}, notSilent{0};

private:
    void run(IAudioProcessor& processor, unsigned seed)
    {
        Random random(seed);
        while (!stopped)
        {
            if (pauseWanted)
            {
                idle = true;
                while (pauseWanted && !stopped)
                    std::this_thread::yield();
                idle = false;
                continue;
            }
            HostileBlock block(random);
            if (processor.process(block.data) != kResultOk)
                ++refused;
            if (!block.allFinite())
                ++nonFinite;
            if (!active && !block.allSilent())
                ++notSilent;
            ++blocks;
            activeBlocks += active ? 1 : 0;
        }
    }

    std::atomic<bool> stopped{false}, pauseWanted{false}, idle{false}, active{false};
    std::thread thread;
};

void runHostileSession(PluginModule& module, unsigned seed)
{
    const auto processorClass = module.findClass(kVstAudioEffectClass);
    ASSERT_TRUE(processorClass);
    auto component = module.createInstance<IComponent>(processorClass->cid);
    auto processor = queryInterface<IAudioProcessor>(component);
    ASSERT_TRUE(component && processor);
    ASSERT_EQ(component->initialize(module.hostContext()), kResultOk);

    Random random(seed);
    bool active = false;
    {
        AudioThread audio(*processor, seed + 1000);
        for (int op = 0; op < 1500 || audio.activeBlocks < 100; ++op)
        {
            const int kind = pick(random, 0, 9);
            if (kind < 4)
            {
                // State calls run beside the audio thread, as hosts make them.
                MemoryStream stream(kind == 0 ? std::vector<uint8_t>() : hostileState(random));
                if (kind == 0)
                    component->getState(&stream);
                else
                    component->setState(&stream);
                continue;
            }
            audio.pause();
            switch (kind)
            {
            case 4:
            {
                const double rates[] = {44100.0,
                                        48000.0,
                                        96000.0,
                                        8000.0,
                                        0.0,
                                        -48000.0,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity()};
                ProcessSetup setup{kRealtime, pick(random, 0, 3) ? kSample32 : kSample64,
                                   kAnnouncedBlock, rates[pick(random, 0, 7)]};
                processor->setupProcessing(setup);
                break;
            }
            case 5:
            {
                SpeakerArrangement in = static_cast<SpeakerArrangement>(pick(random, 0, 63));
                SpeakerArrangement out = static_cast<SpeakerArrangement>(pick(random, 0, 63));
                processor->setBusArrangements(&in, pick(random, 0, 2), &out, pick(random, 0, 2));
                break;
            }
            case 6:
                if (pick(random, 0, 9) == 0)
                {
                    component->terminate();
                    component->initialize(module.hostContext());
                }
                else
                    processor->setProcessing(static_cast<TBool>(pick(random, 0, 1)));
                break;
            default:
            {
                const bool on = pick(random, 0, 1) == 1;
                if (component->setActive(on) == kResultOk)
                    active = on;
                break;
            }
            }
            audio.resume(active);
        }
        audio.pause();
        EXPECT_EQ(audio.refused, 0) << "seed " << seed;
        EXPECT_EQ(audio.nonFinite, 0) << "seed " << seed;
        EXPECT_EQ(audio.notSilent, 0) << "seed " << seed;
        EXPECT_GE(audio.activeBlocks, 100) << "seed " << seed << ": the sound ran";
        audio.resume(active);
    }
    component->setActive(false);
    component->terminate();
}

} // namespace

TEST(HostileHost, RandomCallOrdersAndBlocksNeverCrashAndGiveFiniteOutputOrSilence)
{
    PluginModule module(FERRULITH_BUNDLE_PATH);
    for (unsigned seed = 1; seed <= 3; ++seed)
        runHostileSession(module, seed);
}
