// The arithmetic of one frame that the step and every vector path of the block
// routine share: the gains a frame derives from its parameter values, the band
// stages, the ladder and the mixer, over a scalar or over vector lanes running
// several blocks side by side (each lane runs the block's own operations, in
// its width).
//
// Everything here has internal linkage (static, or a type): files built for
// wider instruction sets include this header, and a shared inline copy built
// for one of them could otherwise be picked by the linker for code that runs
// on any processor.
#pragma once

#include "dsp/patch.h"

// What a frame derives from the clamped parameter values: the same for every
// frame until a value or a factor changes.
struct patch_frame_gains_t
{
    float drive_gain;
    float volume_gain;
    float gate_level;
    float boost_gain;
    float cut_value;
    float res_value;
    float lo_db;
    float hi_db;
};

// The factor's integer part (truncated toward zero) times value, in 32-bit.
static inline float patch_scaled(float factor, float value)
{
    return static_cast<float>(static_cast<int32_t>(factor)) * value;
}

// value holds the eight clamped parameter values in record order.
static inline patch_frame_gains_t patch_frame_gains(const patch_t* patch, const float* value)
{
    patch_frame_gains_t g;
    g.drive_gain = patch_scaled(patch->drive_factor, value[0]);
    g.volume_gain = patch_scaled(patch->volume_factor, value[2]);
    g.gate_level = patch_scaled(patch->noise_factor, value[1]);
    g.boost_gain = patch_scaled(patch->boost_factor, value[7]);
    g.cut_value = patch_scaled(patch->cut_factor, value[5]);
    g.res_value = patch_scaled(patch->res_factor, value[4]);
    g.lo_db = patch_scaled(patch->lo_factor, value[3]);
    g.hi_db = patch_scaled(patch->hi_factor, value[6]);
    return g;
}

// The wire slots that carry the frame's gains.
static inline void patch_store_gains(patch_wire_t* w, const patch_frame_gains_t& g)
{
    w->volume_gain = g.volume_gain;
    w->drive_gain = g.drive_gain;
    w->boost_gain = g.boost_gain;
    w->gate_level = g.gate_level;
    w->lo_db = g.lo_db;
    w->hi_db = g.hi_db;
    w->cut_value = g.cut_value;
    w->res_value = g.res_value;
}

// Four cascaded one-pole low-pass stages, in 64-bit; returns the last stage's
// output. V is a double or a vector of doubles.
template <typename V> static inline V patch_band_stages(V* y, V x, V c, V offset)
{
    const V y0 = ((x - y[0]) * c + offset) + y[0];
    const V y1 = (y0 - y[1]) * c + y[1];
    const V y2 = (y1 - y[2]) * c + y[2];
    const V y3 = (y2 - y[3]) * c + y[3];
    y[0] = y0;
    y[1] = y1;
    y[2] = y2;
    y[3] = y3;
    return y3;
}

// The ladder's running values: b0 the last feedback-corrected input, b1 to b4
// the stages, b4 after the clip.
template <typename V> struct patch_ladder_t
{
    V b0;
    V b1;
    V b2;
    V b3;
    V b4;
};

// One ladder update on input x_in, in 32-bit; returns the band-pass output. V
// is a float or a vector of floats.
template <typename V> static inline V patch_ladder_run(patch_ladder_t<V>& s, V x_in, V p, V k, V q)
{
    const V x = x_in - q * s.b4;
    const V b1 = (x + s.b0) * p - s.b1 * k;
    const V b2 = (s.b1 + b1) * p - s.b2 * k;
    const V b3 = (s.b2 + b2) * p - s.b3 * k;
    const V b4 = (s.b3 + b3) * p - s.b4 * k;
    // 0.166667, deliberately not the float nearest 1/6.
    const V clipped = b4 - (b4 * b4) * (b4 * 0.166667f);
    s = {x, b1, b2, b3, clipped};
    return (b3 - clipped) * 3.0f;
}

// The mixer: low band, band-pass and high band, weighted, in 32-bit. V is a
// float or a vector of floats.
template <typename V> static inline V patch_mix(V w_lo, V w_bp, V w_hi, V lo, V bp, V hi)
{
    return (lo * w_lo + bp * w_bp) + hi * w_hi;
}
