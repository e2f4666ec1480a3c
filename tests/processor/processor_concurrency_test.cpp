// State calls on the main thread against blocks on the audio thread: no data
// race (run under ThreadSanitizer), and every saved state is a whole set of
// values the sound was using or was just given, never a mix.
#include "processor_host.h"
#include "hostkit/parameter_changes.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

constexpr int kRounds = 1500;
// The main thread keeps going until the audio thread has run this many blocks
// alongside it, so the two really overlap however the threads are scheduled.
constexpr int kOverlappingBlocks = 300;

// Value set s: every sound parameter at the same normalized value.
double setValue(int s)
{
    return 0.1 + 0.2 * s;
}

ParameterChanges& changesFor(ParameterChanges& changes, int s)
{
    for (ParamID id = 0; id < 8; ++id)
        changes.appendQueue(id).point(0, setValue(s));
    changes.appendQueue(8).point(0, s % 2);
    return changes;
}

// What a processor saves after running with value set s.
Bytes savedAfterChanges(int s)
{
    ProcessorHost reference;
    reference.start();
    ParameterChanges changes;
    AudioBlock block(1, 2, 2);
    block.setParameterChanges(&changesFor(changes, s));
    reference.process(block);
    return reference.state();
}

// What a processor saves after being given state bytes.
Bytes savedAfterState(const Bytes& given)
{
    ProcessorHost reference;
    reference.setState(given);
    return reference.state();
}

class AudioThread
{
public:
    // Runs blocks until stopped; with changes, alternates between value sets
    // 0 and 1 on every block.
    AudioThread(ProcessorHost& host, bool sendChanges)
        : thread([this, &host, sendChanges] { run(host, sendChanges); })
    {
    }
    ~AudioThread()
    {
        stop = true;
        thread.join();
    }
    int blocks() const { return count.load(); }

private:
    void run(ProcessorHost& host, bool sendChanges)
    {
        // Everything the audio thread uses is made before the loop: a real
        // host's audio thread does not allocate either.
        ParameterChanges changes[2];
        changesFor(changes[0], 0);
        changesFor(changes[1], 1);
        AudioBlock block(64, 2, 2);
        block.fillInputs([](int c, int i) { return 0.01f * static_cast<float>(i - 32 + c); });
        while (!stop)
        {
            block.setParameterChanges(sendChanges ? &changes[count % 2] : nullptr);
            host.process(block);
            ++count;
        }
    }

    std::atomic<bool> stop{false};
    std::atomic<int> count{0};
    std::thread thread;
};

} // namespace

TEST(ProcessorConcurrency, StateSavedRightAfterItWasGivenIsThatState)
{
    const float a[8] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f};
    const float b[8] = {0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f};
    const Bytes given[2] = {stateBytes(0, a), stateBytes(1, b)};
    const Bytes expected[2] = {savedAfterState(given[0]), savedAfterState(given[1])};

    ProcessorHost host;
    host.start();
    AudioThread audio(host, false);
    int lastGiven = 0;
    for (int round = 0; round < kRounds || audio.blocks() < kOverlappingBlocks; ++round)
    {
        ASSERT_EQ(host.setState(given[round % 2]), kResultOk);
        ASSERT_EQ(host.state(), expected[round % 2]) << "round " << round;
        lastGiven = round % 2;
    }
    const int before = audio.blocks();
    while (audio.blocks() < before + 2)
        std::this_thread::yield();
    EXPECT_EQ(host.state(), expected[lastGiven]) << "after the audio thread took it";
}

TEST(ProcessorConcurrency, SavedStateIsAlwaysOneWholeSetOfValues)
{
    const Bytes fromChanges[2] = {savedAfterChanges(0), savedAfterChanges(1)};
    const float c[8] = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f};
    const Bytes given = stateBytes(1, c);
    const Bytes fromState = savedAfterState(given);

    ProcessorHost host;
    host.start();
    AudioThread audio(host, true);
    for (int round = 0; round < kRounds || audio.blocks() < kOverlappingBlocks; ++round)
    {
        if (round % 7 == 0)
        {
            ASSERT_EQ(host.setState(given), kResultOk);
        }
        const Bytes saved = host.state();
        ASSERT_TRUE(saved == fromChanges[0] || saved == fromChanges[1] || saved == fromState)
            << "round " << round << ": a mixed or unknown state";
    }
}
