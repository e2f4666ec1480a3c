// The engine's step against the step as first written (tests/dsp/reference),
// side by side on long randomized runs: every kind of signal, parameters
// jumping every few frames (out of range and NaN too), bypass toggling, the
// caller-writable fields moving, several sample rates, and gate windows held
// exactly on their threshold. After every frame both outputs and every field of
// the two patches must agree bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "float_bits.h"
#include "patch_ptr.h"
#include "patch_state_diff.h"
#include "dsp/reference/literal_step.h"
#include "random_session.h"

namespace
{

using ferrulith::test::PatchPtr;
using namespace ferrulith::test::random_session;

struct RunSetup
{
    float rate;
    uint64_t seed;
    int frames;
};

// Steps an engine patch and a reference patch with the same inputs and the same
// record writes; stops at the first frame where anything differs. `hash` gets
// the hash of the outputs.
void run_side_by_side(const RunSetup& setup, uint64_t& hash)
{
    hash = kHashStart;
    PatchPtr fast(patch_create(setup.rate));
    PatchPtr plain(patch_create(setup.rate));
    ASSERT_TRUE(fast && plain);
    Session session(setup.rate, setup.seed);

    // The same record write in both patches.
    auto both = [&](auto&& write)
    {
        write(fast.get());
        write(plain.get());
    };

    for (int n = 0; n < setup.frames; ++n)
    {
        float frame[2];
        session.next_frame(frame);
        session.edit(*plain, frame, both);

        patch_process_sample(fast.get(), frame);
        ferrulith::literal::patch_process_sample(plain.get(), frame);

        ASSERT_EQ(bits_of(plain->out_l->value), bits_of(fast->out_l->value))
            << "left output, frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
        ASSERT_EQ(bits_of(plain->out_r->value), bits_of(fast->out_r->value))
            << "right output, frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
        const std::string diff = ferrulith::test::patch_diff::first_difference(*plain, *fast);
        ASSERT_EQ("", diff) << "frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
        hash = hash_bits(hash_bits(hash, fast->out_l->value), fast->out_r->value);
    }
    // The run must have spent real time on the threshold.
    EXPECT_GT(session.threshold_edits(), setup.frames / 50);
}

struct PinnedRun
{
    RunSetup setup;
    uint64_t hash;
};

// Each run side by side, and its output against the hash pinned for it: the
// Linux and the Windows build must both give these bits.
void expect_pinned_runs(std::initializer_list<PinnedRun> runs)
{
    for (const PinnedRun& run : runs)
    {
        uint64_t hash = 0;
        run_side_by_side(run.setup, hash);
        EXPECT_EQ(hash, run.hash) << "rate " << run.setup.rate << ", seed " << run.setup.seed;
    }
}

} // namespace

TEST(StepMatchesTheStraightforwardStep, OnRandomizedRunsAtCommonRates)
{
    expect_pinned_runs({{{44100.0f, 1u, 60000}, 6784374212662132295u},
                        {{48000.0f, 2u, 60000}, 9273907840477143113u},
                        {{96000.0f, 3u, 40000}, 3180163772852243808u}});
}

TEST(StepMatchesTheStraightforwardStep, OnRandomizedRunsAtUnusualRates)
{
    expect_pinned_runs({{{8000.0f, 4u, 30000}, 10146756897821437121u},
                        {{192000.0f, 5u, 30000}, 14546946385667649979u},
                        {{22050.5f, 6u, 30000}, 17629583111263964250u}});
}

TEST(GateMatchesTheStraightforwardGate, OnRandomWindowsAndThresholdsOnTheirSums)
{
    // Driven directly, a gate can also be fed magnitudes of 1 and more,
    // infinities and NaNs, which the step never hands it.
    PatchPtr fast(patch_create(44100.0f));
    PatchPtr plain(patch_create(44100.0f));
    Rng rng{99u};
    for (int n = 0; n < 60000; ++n)
    {
        float s;
        switch (rng.below(6))
        {
        case 0:
            s = std::ldexp(rng.signed_unit(), -rng.below(160));
            break;
        case 1:
            s = rng.one_in(50) ? (rng.one_in(2) ? kNaN : kInf) : rng.signed_unit() * 3.0f;
            break;
        case 2:
            s = 0.0f;
            break;
        default:
            s = rng.signed_unit() * 0.01f;
            break;
        }
        float level = rng.unit();
        if (rng.one_in(2))
            level = level_hugging(window_sum_after(plain->gate_l, s, rng.one_in(2)), rng);
        else if (rng.one_in(20))
            level = rng.one_in(2) ? kNaN : -rng.unit();
        const float expected =
            ferrulith::literal::patch_gate_update(&plain->gate_l, s, level, 44100.0f);
        const float actual =
            patch_gate_update(&fast->gate_l, &fast->cache.sum_l, s, level, 44100.0f);
        ASSERT_EQ(bits_of(expected), bits_of(actual)) << "update " << n;
        ferrulith::test::patch_diff::Diff d;
        ferrulith::test::patch_diff::gate(d, plain->gate_l, fast->gate_l);
        ASSERT_EQ("", d.first) << "update " << n;
    }
}

TEST(GateThresholdTest, FollowsTheRoundingOfTheOrderedSumNotTheExactSum)
{
    // 128 entries of 2^-54 and one of 0.5, against a threshold of exactly 0.5.
    // Added tiny ones first they reach 2^-47 and lift the sum above 0.5; added
    // after the 0.5 each one is a rounding tie that leaves 0.5 in place.
    const float level = 0.16666667f;
    ASSERT_EQ(0.5f, level * 3.0f);
    for (const bool tiny_first : {true, false})
    {
        PatchPtr patch(patch_create(44100.0f));
        patch_gate_t* gate = &patch->gate_l;
        gate->state = 99; // fill the window without reacting
        for (int i = 0; i < 256; ++i)
        {
            const int big_at = tiny_first ? 128 : 0;
            const int first_tiny = tiny_first ? 0 : 1;
            const float s = i == big_at                                 ? 0.5f
                            : (i >= first_tiny && i < first_tiny + 128) ? 0x1p-54f
                                                                        : 0.0f;
            patch_gate_update(gate, &patch->cache.sum_l, s, level, 44100.0f);
        }
        gate->state = PATCH_GATE_CLOSED;
        patch_gate_update(gate, &patch->cache.sum_l, tiny_first ? 0x1p-54f : 0.5f, level, 44100.0f);
        EXPECT_EQ(tiny_first ? PATCH_GATE_OPENING : PATCH_GATE_CLOSED, gate->state)
            << (tiny_first ? "tiny entries first" : "0.5 first");
    }
}

TEST(GateThresholdTest, EntriesJustBelowTwoToTheMinus22CountToTheirLastBit)
{
    // 0.5 + 2^-23 (1 + 2^-23) is held exactly by the ordered sum and lies just
    // above the 32-bit threshold 0.5 + 2^-23.
    const float small = 0x1p-23f * (1.0f + 0x1p-23f);
    const float threshold = 0.5f + 0x1p-23f;
    float level = threshold / 3.0f;
    while (level * 3.0f < threshold)
        level = std::nextafter(level, kInf);
    while (level * 3.0f > threshold)
        level = std::nextafter(level, -kInf);
    ASSERT_EQ(threshold, level * 3.0f);
    PatchPtr patch(patch_create(44100.0f));
    patch_gate_t* gate = &patch->gate_l;
    patch_gate_update(gate, &patch->cache.sum_l, 0.5f, level, 44100.0f);
    EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
    patch_gate_update(gate, &patch->cache.sum_l, small, level, 44100.0f);
    EXPECT_EQ(PATCH_GATE_OPENING, gate->state);
}
