// A long randomized session for comparing two ways of running the patch:
// signals of every kind in segments (silence, tiny, subnormal, huge, NaN,
// infinite, steady windows), parameters jumping every few frames (out of range
// and NaN too), gate thresholds put exactly on the sum a window is about to
// hold, bypass toggling, and the fields a caller may write moving now and then.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"

namespace ferrulith::test::random_session
{

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

inline float sample_of(Signal kind, Rng& rng, float held)
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
inline float value_for(const patch_param_t& param, Rng& rng)
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
inline float shaped(float x)
{
    return patch_limit_shaped(patch_saturate(x));
}

// A gate level whose 32-bit threshold lands on target or within an ulp of it.
inline float level_hugging(double target, Rng& rng)
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
inline double window_sum_after(const patch_gate_t& gate, float x, bool regular_only)
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

// Frames and the edits a caller makes between them. Every edit goes to all
// patches under test through both(write), write being called with each.
class Session
{
public:
    Session(float sample_rate, uint64_t seed) : rate(sample_rate), rng{seed} {}

    Rng& random() { return rng; }
    int threshold_edits() const { return thresholds; }

    // The next frame's input, left and right.
    void next_frame(float frame[2])
    {
        if (frame_index == segment_end)
        {
            kind = static_cast<Signal>(rng.below(static_cast<int>(Signal::count)));
            segment_end = frame_index + 1 + rng.below(rng.one_in(4) ? 1200 : 300);
            // Small enough that 256 of them stay within the noise threshold's reach.
            for (float& h : held)
                h = rng.one_in(6) ? 0.0f : rng.signed_unit() * 0.0117f;
        }
        frame[0] = sample_of(kind, rng, held[0]);
        frame[1] = sample_of(kind, rng, held[1]);
        ++frame_index;
    }

    // Edits before the frame just drawn, chosen on the state of model.
    template <typename Both> void edit(const patch_t& model, const float frame[2], Both both)
    {
        if (frame_index > next_jump)
        {
            for (int k = 1 + rng.below(3); k > 0; --k)
            {
                const int i = rng.below(8);
                const float v = value_for(*model.params[i], rng);
                both([&](patch_t* p) { p->params[i]->value = v; });
            }
            next_jump = frame_index + rng.below(8);
        }
        if ((kind == Signal::steady || kind == Signal::sprinkled) && rng.one_in(2))
        {
            // Put the threshold on the sum the window is about to hold, or on
            // the part of it made of entries of 2^-22 and up.
            const int c = rng.below(2);
            const patch_gate_t& gate = c == 0 ? model.gate_l : model.gate_r;
            const float level = level_hugging(window_sum_after(gate, frame[c], rng.one_in(2)), rng);
            both([&](patch_t* p) { p->p_noise->value = level; });
            ++thresholds;
        }
        if (rng.one_in(400))
        {
            const uint8_t flag = rng.one_in(2) ? 0 : static_cast<uint8_t>(1 + rng.below(255));
            both([&](patch_t* p) { p->bypass = flag; });
        }
        if (rng.one_in(3000))
            edit_caller_fields(both);
    }

private:
    // Fields a caller may write between frames.
    template <typename Both> void edit_caller_fields(Both both)
    {
        const int which = rng.below(5);
        const int i = rng.below(8);
        const int32_t integer = rng.one_in(2) ? 1 : 0;
        const float new_rate = rng.one_in(2) ? rate : 22050.0f + 1000.0f * rng.below(100);
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
                    p->sample_rate = new_rate;
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

    float rate;
    Rng rng;
    Signal kind = Signal::normal;
    int frame_index = 0;
    int segment_end = 0;
    int next_jump = 0;
    float held[2] = {0.0f, 0.0f};
    int thresholds = 0;
};

} // namespace ferrulith::test::random_session
