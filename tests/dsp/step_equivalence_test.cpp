// The engine's step against the step as first written (tests/dsp/reference),
// side by side on long randomized runs: every kind of signal, parameters
// jumping every few frames (out of range and NaN too), bypass toggling, the
// caller-writable fields moving, several sample rates, and gate windows held
// exactly on their threshold. After every frame both outputs and every field of
// the two patches must agree bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "dsp/tanh.h"
#include "float_bits.h"
#include "patch_state_diff.h"
#include "reference/literal_step.h"

namespace
{

struct PatchDeleter
{
    void operator()(patch_t* patch) const { patch_destroy(patch); }
};
using PatchPtr = std::unique_ptr<patch_t, PatchDeleter>;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Rng
{
    uint64_t state;
    uint32_t next()
    {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<uint32_t>(state >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    float unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
    float signed_unit() { return 2.0f * unit() - 1.0f; }
    bool one_in(int n) { return below(n) == 0; }
};

enum class Signal
{
    silence,
    tiny,      // below 2^-22 after shaping, now and then exactly zero
    subnormal, // 32-bit subnormals
    normal,
    huge,
    nan,
    infinite,
    steady,    // one small value held, so the window settles on a known sum
    sprinkled, // steady, with tiny values dropped in
    mixed,     // every sample of any kind
    count
};

float sample_of(Signal kind, Rng& rng, float held)
{
    switch (kind)
    {
    case Signal::silence:
        return rng.one_in(2) ? 0.0f : -0.0f;
    case Signal::tiny:
        return rng.one_in(8) ? 0.0f : std::ldexp(rng.signed_unit(), -22 - rng.below(100));
    case Signal::subnormal:
        return std::ldexp(rng.signed_unit(), -126 - rng.below(24));
    case Signal::normal:
        return rng.signed_unit() * (rng.one_in(3) ? 0.01f : 0.9f);
    case Signal::huge:
        return std::ldexp(rng.signed_unit(), rng.below(128));
    case Signal::nan:
        return rng.one_in(2) ? kNaN : -kNaN;
    case Signal::infinite:
        return rng.one_in(2) ? kInf : -kInf;
    case Signal::steady:
        return held;
    case Signal::sprinkled:
        return rng.one_in(3) ? std::ldexp(rng.signed_unit(), -30 - rng.below(40)) : held;
    default:
        return sample_of(static_cast<Signal>(rng.below(static_cast<int>(Signal::mixed))), rng,
                         held);
    }
}

// A parameter value: mostly in range, sometimes at or beyond its bounds.
float value_for(const patch_param_t& param, Rng& rng)
{
    switch (rng.below(12))
    {
    case 0:
        return param.min;
    case 1:
        return param.max;
    case 2:
        return kNaN;
    case 3:
        return rng.one_in(2) ? kInf : -kInf;
    case 4:
        return rng.signed_unit() * 5.0f;
    case 5: // a neighbour of a bound
        return std::nextafter(rng.one_in(2) ? param.min : param.max, rng.one_in(2) ? kInf : -kInf);
    default:
        return param.min + (param.max - param.min) * rng.unit();
    }
}

// What the step makes of an input sample before it enters a gate window.
float shaped(float x)
{
    float t = patch_tanh(x);
    t = t < 1.0f ? t : 1.0f;
    t = t > -1.0f ? t : -1.0f;
    return t > 0.99999f ? 0.99999f : (t >= -0.99999f ? t : -0.99999f);
}

// A gate level whose 32-bit threshold lands on target or within an ulp of it.
float level_hugging(double target, Rng& rng)
{
    float best = static_cast<float>(target / 3.0);
    float candidate = best;
    for (int i = 0; i < 3; ++i)
        candidate = std::nextafter(candidate, -kInf);
    for (int i = 0; i < 7; ++i)
    {
        if (std::fabs(static_cast<double>(candidate * 3.0f) - target) <
            std::fabs(static_cast<double>(best * 3.0f) - target))
            best = candidate;
        candidate = std::nextafter(candidate, kInf);
    }
    switch (rng.below(4))
    {
    case 0:
        return std::nextafter(best, -kInf);
    case 1:
        return std::nextafter(best, kInf);
    default:
        return best;
    }
}

// The magnitude sum a window will have once x has been shaped and written,
// either as the step adds it or counting only its entries of 2^-22 and up.
double window_sum_after(const patch_gate_t& gate, float x, bool regular_only)
{
    double sum = 0.0;
    for (int i = 0; i < gate.window_len; ++i)
    {
        const float m = std::fabs(i == gate.window_pos ? shaped(x) : gate.window[i]);
        if (!regular_only || m >= 0x1p-22f)
            sum += static_cast<double>(m);
    }
    return sum;
}

struct RunSetup
{
    float rate;
    uint64_t seed;
    int frames;
};

// Steps an engine patch and a reference patch with the same inputs and the same
// record writes; stops at the first frame where anything differs.
void run_side_by_side(const RunSetup& setup)
{
    PatchPtr fast(patch_create(setup.rate));
    PatchPtr plain(patch_create(setup.rate));
    ASSERT_TRUE(fast && plain);
    Rng rng{setup.seed};

    Signal kind = Signal::normal;
    int segment_end = 0;
    int next_jump = 0;
    float held[2] = {0.0f, 0.0f};
    int threshold_frames = 0;

    // The same record write in both patches.
    auto both = [&](auto&& write)
    {
        write(fast.get());
        write(plain.get());
    };

    for (int n = 0; n < setup.frames; ++n)
    {
        if (n == segment_end)
        {
            kind = static_cast<Signal>(rng.below(static_cast<int>(Signal::count)));
            segment_end = n + 1 + rng.below(rng.one_in(4) ? 1200 : 300);
            // Small enough that 256 of them stay within the noise threshold's reach.
            for (float& h : held)
                h = rng.one_in(6) ? 0.0f : rng.signed_unit() * 0.0117f;
        }
        const float frame[2] = {sample_of(kind, rng, held[0]), sample_of(kind, rng, held[1])};

        if (n == next_jump)
        {
            for (int k = 1 + rng.below(3); k > 0; --k)
            {
                const int i = rng.below(8);
                const float v = value_for(*fast->params[i], rng);
                both([&](patch_t* p) { p->params[i]->value = v; });
            }
            next_jump = n + 1 + rng.below(8);
        }
        if ((kind == Signal::steady || kind == Signal::sprinkled) && rng.one_in(2))
        {
            // Put the threshold on the sum the window is about to hold, or on
            // the part of it made of entries of 2^-22 and up.
            const int c = rng.below(2);
            const patch_gate_t& gate = c == 0 ? plain->gate_l : plain->gate_r;
            const float level = level_hugging(window_sum_after(gate, frame[c], rng.one_in(2)), rng);
            both([&](patch_t* p) { p->p_noise->value = level; });
            ++threshold_frames;
        }
        if (rng.one_in(400))
        {
            const uint8_t flag = rng.one_in(2) ? 0 : static_cast<uint8_t>(1 + rng.below(255));
            both([&](patch_t* p) { p->bypass = flag; });
        }
        if (rng.one_in(3000))
        {
            // Fields a caller may write between frames.
            const int which = rng.below(5);
            const int i = rng.below(8);
            const int32_t integer = rng.one_in(2) ? 1 : 0;
            const float rate = rng.one_in(2) ? setup.rate : 22050.0f + 1000.0f * rng.below(100);
            const float freq = 100.0f + 9000.0f * rng.unit();
            const float time = rng.signed_unit();
            both(
                [&](patch_t* p)
                {
                    switch (which)
                    {
                    case 0:
                        p->params[i]->is_integer = integer;
                        break;
                    case 1:
                        p->sample_rate = rate;
                        break;
                    case 2:
                        (i < 4 ? p->lo_r : p->hi_l).freq = freq;
                        break;
                    case 3:
                        p->gate_r.attack_param = time;
                        break;
                    default:
                        p->gate_l.release_time = time;
                        break;
                    }
                });
        }

        patch_process_sample(fast.get(), frame);
        literal::patch_process_sample(plain.get(), frame);

        ASSERT_EQ(bits_of(plain->out_l->value), bits_of(fast->out_l->value))
            << "left output, frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
        ASSERT_EQ(bits_of(plain->out_r->value), bits_of(fast->out_r->value))
            << "right output, frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
        const std::string diff = patch_diff::first_difference(*plain, *fast);
        ASSERT_EQ("", diff) << "frame " << n << ", rate " << setup.rate << ", seed " << setup.seed;
    }
    // The run must have spent real time on the threshold.
    EXPECT_GT(threshold_frames, setup.frames / 50);
}

} // namespace

TEST(StepMatchesTheStraightforwardStep, OnRandomizedRunsAtCommonRates)
{
    run_side_by_side({44100.0f, 1u, 60000});
    run_side_by_side({48000.0f, 2u, 60000});
    run_side_by_side({96000.0f, 3u, 40000});
}

TEST(StepMatchesTheStraightforwardStep, OnRandomizedRunsAtUnusualRates)
{
    run_side_by_side({8000.0f, 4u, 30000});
    run_side_by_side({192000.0f, 5u, 30000});
    run_side_by_side({22050.5f, 6u, 30000});
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
        const float expected = literal::patch_gate_update(&plain->gate_l, s, level, 44100.0f);
        const float actual =
            patch_gate_update(&fast->gate_l, &fast->cache.sum_l, s, level, 44100.0f);
        ASSERT_EQ(bits_of(expected), bits_of(actual)) << "update " << n;
        patch_diff::Diff d;
        patch_diff::gate(d, plain->gate_l, fast->gate_l);
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
