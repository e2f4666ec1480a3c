// The processor state as hosts save and restore it: 34 bytes, all or nothing,
// kept across activations and while inactive.
#include "engine_reference.h"
#include "processor_host.h"
#include "hostkit/parameter_changes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;

namespace
{

const float kSomeValues[8] = {0.25f, 0.5f, 0.75f, 1.0f, 0.0f, 0.125f, 0.875f, 0.3f};

Bytes withBypass(Bytes bytes)
{
    bytes[0] = 1;
    return bytes;
}

} // namespace

TEST(ProcessorState, FreshProcessorSavesDefaultPresetWithBypassOffActiveOrNot)
{
    ProcessorHost host;
    EXPECT_EQ(host.state(), freshStateBytes()) << "never initialized";
    host.start();
    EXPECT_EQ(host.state(), freshStateBytes()) << "active";
    ASSERT_EQ(host.deactivate(), kResultOk);
    EXPECT_EQ(host.state(), freshStateBytes()) << "deactivated";
}

TEST(ProcessorState, StateGivenBeforeActivationIsKeptAndUsed)
{
    // Hosts restore a project by calling setState before they activate.
    ProcessorHost host;
    const Bytes saved = stateBytes(1, kSomeValues);
    ASSERT_EQ(host.initialize(), kResultOk);
    ASSERT_EQ(host.setState(saved), kResultOk);
    EXPECT_EQ(host.state(), saved);
    ASSERT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.state(), saved);

    // Bypass is on: the sound is the input, unchanged.
    AudioBlock block(64, 2, 2);
    block.fillInputs(testSignal);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(block.output(0), block.input(0));
    EXPECT_EQ(block.output(1), block.input(1));
}

TEST(ProcessorState, ReactivationKeepsValuesAndBypass)
{
    // Hosts re-activate whenever the sample rate or block size changes.
    ProcessorHost host;
    host.start(44100.0);
    const Bytes saved = withBypass(stateBytes(0, kSomeValues));
    ASSERT_EQ(host.setState(saved), kResultOk);
    ASSERT_EQ(host.deactivate(), kResultOk);
    ASSERT_EQ(host.setup(48000.0), kResultOk);
    ASSERT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.state(), saved);
    ASSERT_EQ(host.activate(), kResultOk) << "activation while active rebuilds";
    EXPECT_EQ(host.state(), saved);
}

TEST(ProcessorState, ShortStreamChangesNothing)
{
    const Bytes saved = stateBytes(1, kSomeValues);
    for (bool active : {false, true})
    {
        ProcessorHost host;
        ASSERT_EQ(host.initialize(), kResultOk);
        if (active)
        {
            ASSERT_EQ(host.activate(), kResultOk);
        }
        for (size_t length = 0; length < saved.size(); ++length)
        {
            MemoryStream stream(Bytes(saved.begin(), saved.begin() + length));
            EXPECT_EQ(host.component()->setState(&stream), kResultFalse) << length;
            EXPECT_EQ(host.state(), freshStateBytes()) << length << (active ? " active" : "");
        }
    }
}

TEST(ProcessorState, StateHoldingANaNOrAnInfinityIsRefusedWhole)
{
    // No saved state holds one: a NaN would play the parameter at its maximum.
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (bool active : {false, true})
    {
        ProcessorHost host;
        ASSERT_EQ(host.initialize(), kResultOk);
        if (active)
        {
            ASSERT_EQ(host.activate(), kResultOk);
        }
        for (int k = 0; k < 8; ++k)
            for (float value : bad)
            {
                float values[8];
                std::copy(std::begin(kSomeValues), std::end(kSomeValues), values);
                values[k] = value;
                EXPECT_EQ(host.setState(stateBytes(1, values)), kResultFalse) << k << " " << value;
                EXPECT_EQ(host.state(), freshStateBytes()) << k << (active ? " active" : "");
            }
        // Finite, but infinite as "lo" (-1 to 1) holds it: it could not be
        // saved and loaded again.
        float values[8];
        std::copy(std::begin(kSomeValues), std::end(kSomeValues), values);
        values[3] = 3e38f;
        EXPECT_EQ(host.setState(stateBytes(1, values)), kResultFalse);
        EXPECT_EQ(host.state(), freshStateBytes());
    }
}

TEST(ProcessorState, LongStreamAppliesFirst34BytesAndLeavesTheRestUnread)
{
    ProcessorHost host;
    host.start();
    Bytes longer = stateBytes(0, kSomeValues);
    longer.insert(longer.end(), {1, 2, 3, 4, 5, 6});
    MemoryStream stream(longer);
    EXPECT_EQ(host.component()->setState(&stream), kResultOk);
    EXPECT_EQ(stream.position(), 34);
    EXPECT_EQ(host.state(), stateBytes(0, kSomeValues));
}

TEST(ProcessorState, AnyNonZeroFlagMeansBypassAndIsSavedAsOne)
{
    ProcessorHost host;
    host.start();
    for (uint16_t flag : {uint16_t(0x0100), uint16_t(0xFFFF), uint16_t(1)})
    {
        ASSERT_EQ(host.setState(stateBytes(flag, kSomeValues)), kResultOk);
        EXPECT_EQ(host.state(), stateBytes(1, kSomeValues)) << flag;
    }
}

TEST(ProcessorState, NullStreamsAreRefused)
{
    ProcessorHost host;
    ASSERT_EQ(host.initialize(), kResultOk);
    EXPECT_EQ(host.component()->setState(nullptr), kResultFalse);
    EXPECT_EQ(host.component()->getState(nullptr), kInvalidArgument);
    ASSERT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.component()->setState(nullptr), kResultFalse);
    EXPECT_EQ(host.component()->getState(nullptr), kInvalidArgument);
    EXPECT_EQ(host.state(), freshStateBytes());
}

TEST(ProcessorState, StreamThatTakesFewerBytesIsReportedAsFailure)
{
    ProcessorHost host;
    host.start();
    for (size_t limit : {0u, 1u, 2u, 33u})
    {
        MemoryStream stream;
        stream.setWriteLimit(limit);
        EXPECT_EQ(host.component()->getState(&stream), kResultFalse) << limit;
    }
    MemoryStream exact;
    exact.setWriteLimit(34);
    EXPECT_EQ(host.component()->getState(&exact), kResultOk);
}

TEST(ProcessorState, StateIsWrittenAtTheStreamPosition)
{
    ProcessorHost host;
    host.start();
    MemoryStream stream(Bytes{9, 9, 9});
    stream.seek(3, IBStream::kIBSeekSet, nullptr);
    ASSERT_EQ(host.component()->getState(&stream), kResultOk);
    Bytes expected{9, 9, 9};
    const Bytes fresh = freshStateBytes();
    expected.insert(expected.end(), fresh.begin(), fresh.end());
    EXPECT_EQ(stream.bytes(), expected);
}

TEST(ProcessorState, OutOfRangeValueIsKeptUntilTheSoundBoundsIt)
{
    ProcessorHost host;
    host.start();
    float values[8] = {2.0f, 0.599f, 0.5f, 0.65f, 0.40000004f, 0.5f, 0.19f, 0.61f};
    ASSERT_EQ(host.setState(stateBytes(0, values)), kResultOk);
    EXPECT_EQ(host.state(), stateBytes(0, values));

    AudioBlock block(1, 2, 2);
    ASSERT_EQ(host.process(block), kResultOk);
    values[0] = 1.0f;
    EXPECT_EQ(host.state(), stateBytes(0, values)) << "the saved state follows the sound";
}

TEST(ProcessorState, StateSetWhileActiveIsSavedBeforeAndAfterTheNextBlock)
{
    ProcessorHost host;
    host.start();
    const Bytes saved = stateBytes(0, kSomeValues);
    ASSERT_EQ(host.setState(saved), kResultOk);
    EXPECT_EQ(host.state(), saved) << "not yet taken by the audio thread";
    AudioBlock block(32, 2, 2);
    ASSERT_EQ(host.process(block), kResultOk);
    EXPECT_EQ(host.state(), saved) << "taken by the audio thread";
    ASSERT_EQ(host.deactivate(), kResultOk);
    EXPECT_EQ(host.state(), saved) << "kept while inactive";
}

TEST(ProcessorState, SettingsMadeByParameterChangesSurviveDeactivation)
{
    ProcessorHost host;
    host.start();
    ParameterChanges changes;
    changes.appendQueue(8).point(0, 1.0);
    AudioBlock block(8, 2, 2);
    block.setParameterChanges(&changes);
    ASSERT_EQ(host.process(block), kResultOk);
    const Bytes afterBlock = host.state();
    EXPECT_EQ(afterBlock[0], 1);
    ASSERT_EQ(host.deactivate(), kResultOk);
    EXPECT_EQ(host.state(), afterBlock);
    ASSERT_EQ(host.activate(), kResultOk);
    EXPECT_EQ(host.state(), afterBlock);
}
