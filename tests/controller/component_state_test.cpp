// The controller takes its values from the processor's 34-byte state, all or
// nothing, and keeps no state of its own.
#include "controller_fixture.h"
#include "recording_handler.h"

#include "hostkit/memory_stream.h"
#include "support/state_bytes.h"

#include <algorithm>
#include <iterator>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ferrulith::test;
using ferrulith::host::MemoryStream;

TEST_F(ControllerTest, TheProcessorsDefaultStateSetsTheDefaultPresetValues)
{
    RecordingHandler handler;
    controller->setComponentHandler(&handler);
    controller->setParamNormalized(quorvelware::kBypassId, 1.0);
    MemoryStream state(freshStateBytes());
    EXPECT_EQ(controller->setComponentState(&state), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kBypassId), 0.0);
    EXPECT_EQ(soundValues(), presetRow(0));
    EXPECT_EQ(static_cast<float>(controller->getParamNormalized(quorvelware::kResId)), 0.40000004f);
    // Reading a state is not an edit and not a program change.
    EXPECT_EQ(handler.edits, 0);
    EXPECT_TRUE(handler.restarts.empty());
    controller->setComponentHandler(nullptr);
}

TEST_F(ControllerTest, AnyNonZeroBypassFlagMeansBypassed)
{
    const struct
    {
        uint16_t flag;
        double expected;
    } cases[] = {{0x0001, 1.0}, {0x0100, 1.0}, {0xFFFF, 1.0}, {0x0000, 0.0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.flag);
        controller->setParamNormalized(quorvelware::kBypassId, 1.0 - c.expected);
        const float half[8] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
        MemoryStream state(stateBytes(c.flag, half));
        EXPECT_EQ(controller->setComponentState(&state), kResultOk);
        EXPECT_EQ(controller->getParamNormalized(quorvelware::kBypassId), c.expected);
    }
}

TEST_F(ControllerTest, ATruncatedStateChangesNothing)
{
    const Bytes full = stateBytes(1, {0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f});
    const auto before = soundValues();
    // Every cut: inside the flag, after it, and inside or between the floats.
    for (size_t length = 0; length < full.size(); ++length)
    {
        SCOPED_TRACE(length);
        MemoryStream state(std::vector<uint8_t>(full.begin(), full.begin() + length));
        EXPECT_EQ(controller->setComponentState(&state), kResultFalse);
        EXPECT_EQ(controller->getParamNormalized(quorvelware::kBypassId), 0.0);
        EXPECT_EQ(soundValues(), before);
    }
    EXPECT_EQ(controller->setComponentState(nullptr), kResultFalse);
}

TEST_F(ControllerTest, AStateHoldingANaNOrAnInfinityChangesNothing)
{
    // The processor refuses the same state; showing 0 for a NaN would make
    // the controller disagree with what plays.
    const auto before = soundValues();
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()})
        for (size_t k = 0; k < 8; ++k)
        {
            float values[8];
            std::fill(std::begin(values), std::end(values), 0.5f);
            values[k] = bad;
            MemoryStream state(stateBytes(1, values));
            EXPECT_EQ(controller->setComponentState(&state), kResultFalse) << k << " " << bad;
            EXPECT_EQ(controller->getParamNormalized(quorvelware::kBypassId), 0.0);
            EXPECT_EQ(soundValues(), before);
        }
    // Finite, but infinite as "lo" (-1 to 1) holds it: the processor could
    // neither play nor save it.
    float values[8] = {0.5f, 0.5f, 0.5f, 3e38f, 0.5f, 0.5f, 0.5f, 0.5f};
    MemoryStream state(stateBytes(1, values));
    EXPECT_EQ(controller->setComponentState(&state), kResultFalse);
    EXPECT_EQ(soundValues(), before);
}

TEST_F(ControllerTest, AnOversizedStateUsesTheFirst34BytesAndClampsValues)
{
    Bytes bytes = stateBytes(0, {1.5f, -0.25f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.125f});
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    MemoryStream state(bytes);
    EXPECT_EQ(controller->setComponentState(&state), kResultOk);
    EXPECT_EQ(state.position(), 34);
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kPreampId), 1.0);
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kNoiseId), 0.0);
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kBoostId), 0.125);
    // A state never selects a program.
    EXPECT_EQ(controller->getParamNormalized(quorvelware::kPresetsId), 0.0);
}

TEST_F(ControllerTest, TheControllersOwnStateIsEmpty)
{
    MemoryStream out;
    EXPECT_EQ(controller->getState(&out), kResultOk);
    EXPECT_TRUE(out.bytes().empty());
    EXPECT_EQ(controller->getState(nullptr), kResultOk);

    const auto before = soundValues();
    MemoryStream in(freshStateBytes());
    EXPECT_EQ(controller->setState(&in), kResultOk);
    EXPECT_EQ(in.position(), 0);
    EXPECT_EQ(soundValues(), before);
    EXPECT_EQ(controller->setState(nullptr), kResultFalse);
}
