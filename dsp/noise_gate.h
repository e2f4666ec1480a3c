// The noise gate. Its threshold test compares the window's magnitude sum, added
// in index order in 64-bit, with the threshold. Adding 256 values every frame
// is most of what a gate would cost, so the sum is kept up to date one entry
// at a time, and it answers the test whenever it provably answers it as the
// ordered sum would. Inline: the step runs it between two tanh calls, and the
// block routine in its loop of recurrences. Internal linkage (static), as in
// dsp/frame_kernels.h: files built for wider instruction sets include it.
#pragma once

#include <cmath>
#include <cstdint>

#include "dsp/patch.h"

// The window's magnitudes added in index order in 64-bit, as the threshold
// test defines them.
double patch_ring_ordered_sum(const patch_gate_t* gate);

namespace patch_detail
{

constexpr float kRegularMin = 0x1p-22f;
constexpr double kUnitsPerOne = 0x1p45;
constexpr double kOnePerUnit = 0x1p-45;
// The longest window whose regular entries cannot overflow the exact sum.
constexpr int32_t kMaxExactLen = 256;

// Adds (+1) or removes (-1) one ring entry.
static inline void account(patch_ring_sum_t* sum, float v, int sign)
{
    const float m = ::fabsf(v);
    if (m >= kRegularMin && m < 1.0f)
        sum->units += sign * static_cast<int64_t>(static_cast<double>(m) * kUnitsPerOne);
    else if (m == 0.0f)
        return;
    else if (m < kRegularMin)
        sum->tiny += sign;
    else
        sum->wild += sign;
}

// Linear ramp step per frame for a ramp time in seconds, in 32-bit.
static inline float ramp_step(float time, float sample_rate)
{
    return 1.0f / (time * sample_rate);
}

} // namespace patch_detail

// Whether the window's magnitudes, added in index order in 64-bit, exceed
// threshold. sum must be the running sum of this gate's window.
//
// With only regular entries every partial sum of the ordered addition is a
// multiple of 2^-45 below 2^8, so double holds it exactly: the ordered sum is
// the exact sum. With tiny entries as well, the exact sum E lies in
// (E_reg, E_reg + 256 * 2^-22], and an ordered addition of at most 256
// non-negative terms lies within a factor (1 +- 2^-45) of E; a threshold
// outside that interval (with room for the rounding of the bounds themselves)
// is decided by the bounds. Anything else, and any wild entry, is added up.
static inline bool patch_ring_above(const patch_gate_t* gate, const patch_ring_sum_t* sum,
                                    double threshold)
{
    if (sum->wild == 0 && gate->window_len <= patch_detail::kMaxExactLen)
    {
        const double regular = static_cast<double>(sum->units) * patch_detail::kOnePerUnit;
        if (sum->tiny == 0)
            return regular > threshold;
        // Tiny entries make the sum positive and push it above regular.
        const double below = regular - regular * 0x1p-40;
        if (below >= threshold)
            return true;
        const double beyond = (regular + 0x1p-14) * (1.0 + 0x1p-40);
        if (threshold >= beyond)
            return false;
    }
    return patch_ring_ordered_sum(gate) > threshold;
}

// One gate update for shaped sample s at gate level level; returns the gated
// sample. sum must be the running sum that belongs to this gate's window, and
// window_len the gate's own; a caller that knows it as a constant spares the
// ring advance a division.
static inline float patch_gate_update_sized(patch_gate_t* gate, patch_ring_sum_t* sum, float s,
                                            float level, float sample_rate, int32_t window_len)
{
    gate->attack_time = gate->attack_param * 0.1f;

    float* slot = &gate->window[gate->window_pos];
    patch_detail::account(sum, *slot, -1);
    *slot = s;
    patch_detail::account(sum, s, +1);
    gate->window_pos = (gate->window_pos + 1) % window_len;

    const double threshold = static_cast<double>(level * 3.0f);
    const bool above = patch_ring_above(gate, sum, threshold);

    if (gate->state == gate->state_closed)
    {
        if (above)
            gate->state = gate->state_opening;
        gate->gain = 0.0;
    }
    else if (gate->state == gate->state_open)
    {
        if (!above)
            gate->state = gate->state_closing;
        gate->gain = 1.0;
    }
    else if (gate->state == gate->state_opening)
    {
        float time = gate->attack_time;
        if (!(time >= gate->min_time))
        {
            time = gate->min_time;
            gate->attack_time = gate->min_time;
        }
        gate->gain = gate->gain + static_cast<double>(patch_detail::ramp_step(time, sample_rate));
        if (gate->gain > 1.0)
        {
            gate->gain = 1.0;
            gate->state = gate->state_open;
        }
        if (!above)
            gate->state = gate->state_closing;
    }
    else if (gate->state == gate->state_closing)
    {
        float time = gate->release_time;
        if (!(time >= gate->min_time))
        {
            time = gate->min_time;
            gate->release_time = gate->min_time;
        }
        gate->gain = gate->gain - static_cast<double>(patch_detail::ramp_step(time, sample_rate));
        if (!(gate->gain >= 0.0))
        {
            gate->gain = 0.0;
            gate->state = gate->state_closed;
        }
        if (above)
            gate->state = gate->state_opening;
    }

    return static_cast<float>(static_cast<double>(s) * gate->gain);
}

static inline float patch_gate_update(patch_gate_t* gate, patch_ring_sum_t* sum, float s,
                                      float level, float sample_rate)
{
    return patch_gate_update_sized(gate, sum, s, level, sample_rate, gate->window_len);
}
