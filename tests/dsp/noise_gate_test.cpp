// The noise gate: how many frames its ramps take at common rates, where its
// threshold lies, and that each channel's gate is its own.
#include <gtest/gtest.h>

#include <memory>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "float_bits.h"
#include "patch_ptr.h"

namespace
{

using ferrulith::test::PatchPtr;

// One update of either gate of the patch, with the running sum that the step
// keeps beside that gate's window.
float gate_update(patch_t* patch, patch_gate_t* gate, float s, float level, float rate)
{
    patch_ring_sum_t* sum = gate == &patch->gate_l ? &patch->cache.sum_l : &patch->cache.sum_r;
    return patch_gate_update(gate, sum, s, level, rate);
}

// Levels that put a ring holding 0.5 at most clearly above or below threshold.
constexpr float kOpenLevel = 0.0f;
constexpr float kShutLevel = 1000.0f;

// Number of OPENING updates, after the one that leaves CLOSED, until OPEN.
int frames_to_open(patch_t* patch, patch_gate_t* gate, float rate)
{
    gate_update(patch, gate, 0.5f, kOpenLevel, rate);
    EXPECT_EQ(PATCH_GATE_OPENING, gate->state);
    EXPECT_SAME_FLOAT(0.0, gate->gain);
    int n = 0;
    while (gate->state == PATCH_GATE_OPENING && n < 100000)
    {
        ++n;
        gate_update(patch, gate, 0.5f, kOpenLevel, rate);
        if (gate->state == PATCH_GATE_OPENING)
        {
            EXPECT_LT(gate->gain, 1.0);
        }
    }
    return n;
}

// Number of CLOSING updates, after the one that leaves OPEN, until CLOSED.
int frames_to_close(patch_t* patch, patch_gate_t* gate, float rate)
{
    gate_update(patch, gate, 0.5f, kShutLevel, rate);
    EXPECT_EQ(PATCH_GATE_CLOSING, gate->state);
    EXPECT_SAME_FLOAT(1.0, gate->gain);
    int n = 0;
    while (gate->state == PATCH_GATE_CLOSING && n < 100000)
    {
        ++n;
        gate_update(patch, gate, 0.5f, kShutLevel, rate);
    }
    return n;
}

} // namespace

TEST(NoiseGateRamps, OpenAndCloseInTheExpectedFrameCounts)
{
    struct Case
    {
        float rate;
        int open_frames;
        int close_frames;
    };
    for (const Case c : {Case{44100.0f, 442, 22051}, Case{48000.0f, 481, 24001}})
    {
        PatchPtr patch(patch_create(c.rate));
        patch_gate_t* gate = &patch->gate_l;
        EXPECT_EQ(c.open_frames, frames_to_open(patch.get(), gate, c.rate)) << c.rate;
        EXPECT_EQ(PATCH_GATE_OPEN, gate->state);
        EXPECT_SAME_FLOAT(1.0, gate->gain);
        EXPECT_SAME_FLOAT(0.0100000007f, gate->attack_time);

        EXPECT_EQ(c.close_frames, frames_to_close(patch.get(), gate, c.rate)) << c.rate;
        EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
        EXPECT_SAME_FLOAT(0.0, gate->gain);
    }
}

TEST(NoiseGateRamps, StepsAreThirtyTwoBitQuotientsAddedInSixtyFourBits)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_gate_t* gate = &patch->gate_r;
    gate_update(patch.get(), gate, 0.5f, kOpenLevel, 44100.0f);
    const float gated = gate_update(patch.get(), gate, 0.5f, kOpenLevel, 44100.0f);
    // 1 / 441.000031, rounded to 32 bits, then widened: not 1/441 in 64 bits.
    EXPECT_SAME_FLOAT(static_cast<double>(0.00226757349f), gate->gain);
    EXPECT_SAME_FLOAT(static_cast<float>(0.5 * static_cast<double>(0.00226757349f)), gated);

    gate->state = PATCH_GATE_CLOSING;
    gate->gain = 1.0;
    gate_update(patch.get(), gate, 0.5f, kShutLevel, 44100.0f);
    EXPECT_SAME_FLOAT(1.0 - static_cast<double>(4.53514731e-05f), gate->gain);
}

TEST(NoiseGateRamps, AttackBelowTheFloorOpensInOneStep)
{
    PatchPtr patch(patch_create(48000.0f));
    patch_gate_t* gate = &patch->gate_l;
    gate->attack_param = 0.0f;
    gate_update(patch.get(), gate, 0.5f, kOpenLevel, 48000.0f);
    gate_update(patch.get(), gate, 0.5f, kOpenLevel, 48000.0f);
    EXPECT_EQ(PATCH_GATE_OPEN, gate->state);
    EXPECT_SAME_FLOAT(1.0, gate->gain);

    // A release time below the floor is floored, and the floor is kept.
    gate->release_time = -1.0f;
    gate_update(patch.get(), gate, 0.5f, kShutLevel, 48000.0f);
    gate_update(patch.get(), gate, 0.5f, kShutLevel, 48000.0f);
    EXPECT_SAME_FLOAT(gate->min_time, gate->release_time);
    EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
}

TEST(NoiseGateRamps, InterruptedRampsReverseFromTheGainReached)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_gate_t* gate = &patch->gate_l;
    for (int i = 0; i < 101; ++i)
        gate_update(patch.get(), gate, 0.5f, kOpenLevel, 44100.0f);
    const double reached = gate->gain;
    EXPECT_GT(reached, 0.2);
    // Falling below threshold mid-attack: this update still raises, then turns.
    gate_update(patch.get(), gate, 0.5f, kShutLevel, 44100.0f);
    EXPECT_EQ(PATCH_GATE_CLOSING, gate->state);
    EXPECT_GT(gate->gain, reached);
    const double turned = gate->gain;
    gate_update(patch.get(), gate, 0.5f, kShutLevel, 44100.0f);
    EXPECT_LT(gate->gain, turned);
    gate_update(patch.get(), gate, 0.5f, kOpenLevel, 44100.0f);
    EXPECT_EQ(PATCH_GATE_OPENING, gate->state);
}

TEST(NoiseGateThreshold, SumEqualToTheThirtyTwoBitThresholdIsNotAbove)
{
    // 0.1 * 3 in 32 bits is 0.300000012; in 64 bits it would be 0.3000000045,
    // below a ring holding 0.300000012. Equal to the 32-bit product is not above.
    PatchPtr patch(patch_create(44100.0f));
    patch_gate_t* gate = &patch->gate_l;
    gate_update(patch.get(), gate, 0.300000012f, 0.1f, 44100.0f);
    EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
    gate_update(patch.get(), gate, 0.0f, 0.1f, 44100.0f);
    EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
    // The next float up is above.
    PatchPtr other(patch_create(44100.0f));
    gate_update(other.get(), &other->gate_l, 0.300000042f, 0.1f, 44100.0f);
    EXPECT_EQ(PATCH_GATE_OPENING, other->gate_l.state);
}

TEST(NoiseGateThreshold, StartingNoiseLevelThresholdIsTheThirtyTwoBitProduct)
{
    PatchPtr patch(patch_create(44100.0f));
    const float frame[2] = {0.0f, 0.0f};
    patch_process_sample(patch.get(), frame);
    EXPECT_SAME_FLOAT(0.599f, patch->wire.gate_level);
    EXPECT_SAME_FLOAT(1.79699993f, patch->wire.gate_level * 3.0f);
}

TEST(NoiseGateWindow, ASampleCountsForExactly256Frames)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_gate_t* gate = &patch->gate_l;
    // An unknown state leaves the gate alone: fill the ring without reacting.
    gate->state = 99;
    gate_update(patch.get(), gate, 0.5f, 0.1f, 44100.0f);
    for (int i = 1; i < 255; ++i)
        gate_update(patch.get(), gate, 0.0f, 0.1f, 44100.0f);
    EXPECT_EQ(99, gate->state);
    EXPECT_SAME_FLOAT(0.0, gate->gain);

    gate->state = PATCH_GATE_CLOSED;
    gate_update(patch.get(), gate, 0.0f, 0.1f, 44100.0f); // frame 256: still in the sum
    EXPECT_EQ(PATCH_GATE_OPENING, gate->state);
    EXPECT_EQ(0, gate->window_pos);

    gate->state = PATCH_GATE_CLOSED;
    gate_update(patch.get(), gate, 0.0f, 0.1f, 44100.0f); // frame 257: overwritten
    EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
}

TEST(NoiseGateInPatch, SilenceStaysClosedAndChannelsGateSeparately)
{
    PatchPtr patch(patch_create(44100.0f));
    patch->p_noise->value = 0.0f; // threshold 0: any non-zero sample opens
    for (int i = 0; i < 1000; ++i)
    {
        const float frame[2] = {0.3f, 0.0f};
        patch_process_sample(patch.get(), frame);
        EXPECT_SAME_FLOAT(0.0f, patch->wire.gated_r);
    }
    EXPECT_EQ(PATCH_GATE_OPEN, patch->gate_l.state);
    EXPECT_EQ(PATCH_GATE_CLOSED, patch->gate_r.state);
    EXPECT_SAME_FLOAT(0.0, patch->gate_r.gain);
}
