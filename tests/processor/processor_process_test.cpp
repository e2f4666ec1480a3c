// Block processing: the processor's output is the DSP engine's, bit for bit,
// with the host's parameter and program changes applied, whatever shape of
// buses and buffers the host hands over.
#include "common/ferrulithpresets.h"
#include "engine_reference.h"
#include "processor_host.h"
#include "hostkit/parameter_changes.h"
#include "support/odd_queue.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

// A host's normalized value as the engine record's plain value: the span in
// 32-bit, the rest in 64-bit, rounded once.
float plainFor(EngineReference& engine, int k, double normalized)
{
    const patch_param_t& p = engine.param(k);
    const float span = p.max - p.min;
    return static_cast<float>(static_cast<double>(span) * normalized + static_cast<double>(p.min));
}

struct Rendered
{
    std::vector<float> left, right;
};

Rendered runEngine(EngineReference& engine, AudioBlock& block, bool stereoInput = true)
{
    Rendered out;
    std::vector<float> right = stereoInput ? block.input(1) : std::vector<float>();
    engine.run(block.input(0), right, out.left, out.right);
    return out;
}

class ProcessorProcess : public ::testing::Test
{
protected:
    void SetUp() override { host.start(kRate); }

    static constexpr double kRate = 44100.0;
    ProcessorHost host;
    EngineReference engine{static_cast<float>(kRate)};
};

} // namespace

TEST_F(ProcessorProcess, OutputEqualsTheEngineSteppedDirectlyAcrossBlocksAndChanges)
{
    host.component()->setActive(false);
    ASSERT_EQ(host.setup(48000.0), kResultOk);
    ASSERT_EQ(host.activate(), kResultOk);
    EngineReference engine48(48000.0f);

    int frame = 0;
    for (int b = 0; b < 3; ++b)
    {
        AudioBlock block(128, 2, 2);
        block.fillInputs([&](int c, int i) { return testSignal(c, frame + i); });
        frame += 128;
        ParameterChanges changes;
        if (b == 1)
        {
            changes.appendQueue(0).point(0, 0.8);
            changes.appendQueue(3).point(5, 0.2);
            changes.appendQueue(5).point(0, 0.1).point(64, 0.35);
            changes.appendQueue(8).point(0, 0.0);
            block.setParameterChanges(&changes);
            engine48.param(0).value = plainFor(engine48, 0, 0.8);
            engine48.param(3).value = plainFor(engine48, 3, 0.2);
            engine48.param(5).value = plainFor(engine48, 5, 0.35);
        }
        ASSERT_EQ(host.process(block), kResultOk);
        const Rendered expected = runEngine(engine48, block);
        ASSERT_EQ(block.output(0), expected.left) << "block " << b;
        ASSERT_EQ(block.output(1), expected.right) << "block " << b;
    }
}

TEST_F(ProcessorProcess, LastPointOfAQueueRulesTheWholeBlock)
{
    AudioBlock block(256, 2, 2);
    block.fillInputs(testSignal);
    ParameterChanges changes;
    changes.appendQueue(2).point(0, 0.2).point(100, 0.8);
    block.setParameterChanges(&changes);
    ASSERT_EQ(host.process(block), kResultOk);

    engine.param(2).value = plainFor(engine, 2, 0.8);
    const Rendered expected = runEngine(engine, block);
    EXPECT_EQ(block.output(0), expected.left);
    EXPECT_EQ(block.output(1), expected.right);
}

TEST_F(ProcessorProcess, BlocksWithoutSamplesApplyNoChanges)
{
    ParameterChanges changes;
    changes.appendQueue(0).point(0, 1.0);
    changes.appendQueue(8).point(0, 1.0);
    for (int32 count : {0, -5})
    {
        AudioBlock empty(4, 2, 2);
        empty.setNumSamples(count);
        empty.setParameterChanges(&changes);
        EXPECT_EQ(host.process(empty), kResultOk);
        EXPECT_EQ(empty.output(0)[0], AudioBlock::kUntouched);
    }
    EXPECT_EQ(host.state(), freshStateBytes());

    AudioBlock block(64, 2, 2);
    block.fillInputs(testSignal);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), runEngine(engine, block).left);
}

TEST_F(ProcessorProcess, BypassIsOnForAnyValueButZero)
{
    const double on[] = {0.25, 1.0, -0.5, 1e-300};
    const double off[] = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN()};
    for (double value : on)
    {
        AudioBlock block(32, 2, 2);
        block.fillInputs([](int c, int i) { return testSignal(c, i + 10); });
        ParameterChanges changes;
        changes.appendQueue(8).point(0, value);
        block.setParameterChanges(&changes);
        ASSERT_EQ(host.process(block), kResultOk);
        EXPECT_EQ(block.output(0), block.input(0)) << value;
        EXPECT_EQ(block.output(1), block.input(1)) << value;
    }
    for (double value : off)
    {
        AudioBlock block(32, 2, 2);
        block.fillInputs([](int c, int i) { return testSignal(c, i + 10); });
        ParameterChanges changes;
        changes.appendQueue(8).point(0, value);
        block.setParameterChanges(&changes);
        ASSERT_EQ(host.process(block), kResultOk);
        EXPECT_NE(block.output(0), block.input(0)) << value;
        EXPECT_EQ(host.state()[0], 0) << value;
    }
}

TEST_F(ProcessorProcess, ProgramChangeLoadsTheRowTheControllerShows)
{
    struct Case
    {
        double value;
        int row;
    };
    const Case cases[] = {{3.0 / 6.0, 3}, {1.0, 6}, {1.5, 6}, {-0.2, 0}, {1.0 / 6.0, 1}};
    for (const Case& c : cases)
    {
        ProcessorHost fresh;
        fresh.start(kRate);
        EngineReference reference(static_cast<float>(kRate));
        for (int k = 0; k < 8; ++k)
            reference.param(k).value =
                plainFor(reference, k, static_cast<double>(quorvelware::kPresetValues[c.row][k]));

        AudioBlock block(128, 2, 2);
        block.fillInputs(testSignal);
        ParameterChanges changes;
        changes.appendQueue(9).point(0, c.value);
        block.setParameterChanges(&changes);
        ASSERT_EQ(fresh.process(block), kResultOk);
        const Rendered expected = runEngine(reference, block);
        EXPECT_EQ(block.output(0), expected.left) << c.value;
        EXPECT_EQ(block.output(1), expected.right) << c.value;
    }
}

TEST_F(ProcessorProcess, SoundEditsInTheSameBlockWinOverTheProgramChange)
{
    AudioBlock block(128, 2, 2);
    block.fillInputs(testSignal);
    ParameterChanges changes;
    changes.appendQueue(0).point(0, 0.9); // listed before the program change
    changes.appendQueue(9).point(0, 4.0 / 6.0);
    changes.appendQueue(6).point(0, 0.05);
    block.setParameterChanges(&changes);
    ASSERT_EQ(host.process(block), kResultOk);

    for (int k = 0; k < 8; ++k)
        engine.param(k).value =
            plainFor(engine, k, static_cast<double>(quorvelware::kPresetValues[4][k]));
    engine.param(0).value = plainFor(engine, 0, 0.9);
    engine.param(6).value = plainFor(engine, 6, 0.05);
    EXPECT_EQ(block.output(0), runEngine(engine, block).left);
}

TEST_F(ProcessorProcess, UnknownIdentifiersAndUnreadableQueuesChangeNothing)
{
    AudioBlock block(128, 2, 2);
    block.fillInputs(testSignal);
    OddQueue unreadable(0, 1, OddQueue::kRefusesReads);
    ParameterChanges changes;
    changes.appendQueue(10).point(0, 1.0);
    changes.appendQueue(1000).point(0, 1.0);
    changes.appendQueue(0xFFFFFFFFu).point(0, 1.0);
    changes.appendForeign(nullptr);
    changes.appendForeign(&unreadable);
    changes.appendQueue(1); // no points
    block.setParameterChanges(&changes);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), runEngine(engine, block).left);
    EXPECT_EQ(host.state(), freshStateBytes());
}

TEST_F(ProcessorProcess, QueuesClaimingNoPointsOrANegativeCountAreIgnored)
{
    // Each queue would hand out its point for any index it is asked, -1 and
    // the index below INT32_MIN included.
    AudioBlock block(128, 2, 2);
    block.fillInputs(testSignal);
    OddQueue queues[] = {{0, 0},
                         {2, -1},
                         {8, std::numeric_limits<int32>::min()},
                         {9, std::numeric_limits<int32>::min()}};
    ParameterChanges changes;
    for (OddQueue& queue : queues)
        changes.appendForeign(&queue);
    block.setParameterChanges(&changes);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), runEngine(engine, block).left);
    EXPECT_EQ(host.state(), freshStateBytes());
}

TEST_F(ProcessorProcess, MonoOutputReadsOneInputAndWritesOneOutput)
{
    host.deactivate();
    ASSERT_EQ(host.setOutputArrangement(SpeakerArr::kMono), kResultOk);
    ASSERT_EQ(host.activate(), kResultOk);

    // The host hands two channels each way anyway: the second input must not
    // be read, the second output must not be written.
    AudioBlock block(128, 2, 2);
    block.fillInputs(testSignal);
    block.input(1).assign(128, std::numeric_limits<float>::quiet_NaN());
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), runEngine(engine, block, false).left);
    EXPECT_EQ(block.output(1), std::vector<float>(128, AudioBlock::kUntouched));

    AudioBlock single(64, 1, 1);
    EXPECT_EQ(host.process(single), kResultOk);
}

TEST_F(ProcessorProcess, FivePointOneOutputGetsLeftAndRightOnly)
{
    host.deactivate();
    ASSERT_EQ(host.setOutputArrangement(SpeakerArr::k51), kResultOk);
    ASSERT_EQ(host.activate(), kResultOk);

    AudioBlock block(128, 6, 6);
    block.fillInputs(testSignal);
    ASSERT_EQ(host.process(block), kResultOk);
    const Rendered expected = runEngine(engine, block);
    EXPECT_EQ(block.output(0), expected.left);
    EXPECT_EQ(block.output(1), expected.right);
    for (int c = 2; c < 6; ++c)
        EXPECT_EQ(block.output(c), std::vector<float>(128, AudioBlock::kUntouched)) << c;
}

TEST_F(ProcessorProcess, MissingInputChannelsAreHeardAsSilence)
{
    AudioBlock oneChannel(64, 2, 2);
    oneChannel.fillInputs(testSignal);
    oneChannel.claimInputChannels(1);
    ASSERT_EQ(host.process(oneChannel), kResultOk);
    EXPECT_EQ(oneChannel.output(0), runEngine(engine, oneChannel, false).left);

    AudioBlock nullRight(64, 2, 2);
    nullRight.fillInputs([](int c, int i) { return testSignal(c, i + 64); });
    nullRight.nullInputChannel(1);
    ASSERT_EQ(host.process(nullRight), kResultOk);
    EXPECT_EQ(nullRight.output(1), runEngine(engine, nullRight, false).right);

    AudioBlock noInput(64, 2, 2);
    noInput.dropInputBus();
    ASSERT_EQ(host.process(noInput), kResultOk);
    std::vector<float> zeros(64, 0.0f), left, right;
    engine.run(zeros, zeros, left, right);
    EXPECT_EQ(noInput.output(0), left);
}

TEST_F(ProcessorProcess, MissingOutputsAreSkippedAndTheSoundGoesOn)
{
    AudioBlock noOutput(64, 2, 2);
    noOutput.fillInputs(testSignal);
    noOutput.dropOutputBus();
    ASSERT_EQ(host.process(noOutput), kResultOk);
    runEngine(engine, noOutput);

    AudioBlock nullLeft(64, 2, 2);
    nullLeft.fillInputs([](int c, int i) { return testSignal(c, i + 64); });
    nullLeft.nullOutputChannel(0);
    ASSERT_EQ(host.process(nullLeft), kResultOk);
    EXPECT_EQ(nullLeft.output(1), runEngine(engine, nullLeft).right);
}

TEST_F(ProcessorProcess, SharedInputAndOutputBuffersGiveTheSameResult)
{
    ProcessorHost separateHost;
    separateHost.start(kRate);
    AudioBlock separate(256, 2, 2);
    separate.fillInputs(testSignal);
    ASSERT_EQ(separateHost.process(separate), kResultOk);

    AudioBlock shared(256, 2, 2);
    shared.fillInputs(testSignal);
    shared.shareBuffers();
    ASSERT_EQ(host.process(shared), kResultOk);
    EXPECT_EQ(shared.input(0), separate.output(0));
    EXPECT_EQ(shared.input(1), separate.output(1));
}

TEST(ProcessorInactive, BlocksWhileInactiveWriteSilence)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    AudioBlock block(32, 2, 2);
    block.fillInputs(testSignal);
    EXPECT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), std::vector<float>(32, 0.0f));
    EXPECT_EQ(block.output(1), std::vector<float>(32, 0.0f));

    AudioBlock odd(32, 2, 2);
    odd.dropInputBus();
    odd.nullOutputChannel(1);
    EXPECT_EQ(host.process(odd), kResultOk);
    EXPECT_EQ(odd.output(0), std::vector<float>(32, 0.0f));
}

TEST(ProcessorSoundAfterSetup, RefusedSampleSizeStillSetsTheRateButARefusedRateLeavesIt)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    ASSERT_EQ(host.setup(44100.0), kResultOk);
    ASSERT_EQ(host.setup(48000.0, kSample64), kResultFalse);
    // A rate that is not finite and positive in the 32 bits a patch is built
    // for (1e39 is finite only in 64) is refused, and 48 kHz stays.
    for (double rate :
         {0.0, -0.0, -44100.0, std::numeric_limits<double>::quiet_NaN(),
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e39})
        EXPECT_EQ(host.setup(rate), kInvalidArgument) << rate;
    ASSERT_EQ(host.activate(), kResultOk);

    EngineReference engine48(48000.0f);
    AudioBlock block(512, 2, 2);
    block.fillInputs(testSignal);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), runEngine(engine48, block).left);
}

TEST(ProcessorSoundAfterState, OwnStateReadBackRunsTheRoundedLoValue)
{
    // The normalized form does not carry "lo" exactly: 0.300000012 is saved as
    // 0.649999976 and read back as 0.299999952. Only a processor that was
    // given a state runs that value; a fresh one runs the engine's own.
    ProcessorHost host;
    host.start();
    ASSERT_EQ(host.setState(host.state()), kResultOk);
    AudioBlock block(512, 2, 2);
    block.fillInputs(testSignal);
    ASSERT_EQ(host.process(block), kResultOk);

    EngineReference engine(44100.0f);
    engine.param(3).value = 0.299999952f;
    const Rendered expected = runEngine(engine, block);
    EXPECT_EQ(block.output(0), expected.left);
    EXPECT_EQ(block.output(1), expected.right);
}

TEST_F(ProcessorProcess, AllParametersAutomatedInEveryBlockMatchTheEngineFedBeforeEachFrame)
{
    // Every block changes all nine parameters, some beyond their ranges, one
    // of them twice (the later queue wins); the engine gets the same values
    // written before every frame of the block.
    const int sizes[4] = {32, 7, 64, 1};
    int frame = 0;
    patch_t* reference = patch_create(static_cast<float>(kRate));
    for (int b = 0; b < 12; ++b)
    {
        const int n = sizes[b % 4];
        AudioBlock block(n, 2, 2);
        block.fillInputs([&](int c, int i) { return testSignal(c, frame + i); });
        frame += n;
        ParameterChanges changes;
        double normalized[8];
        for (int k = 0; k < 8; ++k)
        {
            normalized[k] = std::fmod(0.137 * (b + 1) * (k + 3), 1.6) - 0.3; // -0.3 to 1.3
            changes.appendQueue(static_cast<ParamID>(k)).point(0, 0.5).point(n - 1, normalized[k]);
        }
        changes.appendQueue(2).point(0, normalized[2] * 0.5);
        normalized[2] *= 0.5;
        const bool bypass = b % 3 == 1;
        changes.appendQueue(8).point(0, bypass ? 0.25 : 0.0);
        block.setParameterChanges(&changes);
        ASSERT_EQ(host.process(block), kResultOk);

        for (int i = 0; i < n; ++i)
        {
            for (int k = 0; k < 8; ++k)
            {
                const patch_param_t& p = *reference->params[k];
                const float span = p.max - p.min;
                reference->params[k]->value = static_cast<float>(
                    static_cast<double>(span) * normalized[k] + static_cast<double>(p.min));
            }
            reference->bypass = bypass ? 1 : 0;
            const float in[2] = {block.input(0)[i], block.input(1)[i]};
            patch_process_sample(reference, in);
            ASSERT_EQ(reference->out_l->value, block.output(0)[i])
                << "block " << b << " frame " << i;
            ASSERT_EQ(reference->out_r->value, block.output(1)[i])
                << "block " << b << " frame " << i;
        }
    }
    patch_destroy(reference);
}
