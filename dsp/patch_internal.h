// The engine's building blocks, one call per stage of the per-sample step, kept
// apart so each can be tested on its own. Every routine here is bit-exact
// behaviour: widths and the order of operations matter. The small ones are
// inline so the step can interleave the left and right chains around its tanh
// calls.
#pragma once

#include <cmath>
#include <cstddef>

#include "dsp/noise_gate.h"
#include "dsp/patch.h"
#include "dsp/tanh.h"

// Every heap block of patch_create comes from here. Tests link their own
// definition to make a chosen allocation fail; keep it alone in its file.
void* patch_heap_alloc(size_t size);

// The factor's integer part (truncated toward zero) times value, in 32-bit.
inline float patch_scaled(float factor, float value)
{
    return static_cast<float>(static_cast<int32_t>(factor)) * value;
}

// tanh in 32-bit, then forced into [-1, 1]; a NaN comes out as 1.0.
inline float patch_saturate(float x)
{
    const float t = patch_tanh(x);
    const float upper = t < 1.0f ? t : 1.0f;
    return upper > -1.0f ? upper : -1.0f;
}

// Shared tone values of a frame, computed afresh.
double patch_lo_gain(float lo_db);
double patch_hi_gain(float hi_db);
double patch_band_coef(const patch_band_t* band, double inv_rate);

namespace patch_detail
{

// Four cascaded one-pole low-pass stages; returns the last stage's output.
inline double run_stages(patch_band_t* band, double x)
{
    const double c = band->coef;
    const double y0 = ((x - band->y[0]) * c + band->offset) + band->y[0];
    const double y1 = (y0 - band->y[1]) * c + band->y[1];
    const double y2 = (y1 - band->y[2]) * c + band->y[2];
    const double y3 = (y2 - band->y[3]) * c + band->y[3];
    band->y[0] = y0;
    band->y[1] = y1;
    band->y[2] = y2;
    band->y[3] = y3;
    return y3;
}

} // namespace patch_detail

// One band update on input x; the band's coef and gain must be set.
inline float patch_low_band_run(patch_band_t* band, float x)
{
    const double low = patch_detail::run_stages(band, static_cast<double>(x));
    return static_cast<float>(low * band->gain);
}

inline float patch_high_band_run(patch_band_t* band, float x)
{
    const double low = patch_detail::run_stages(band, static_cast<double>(x));
    const float out = static_cast<float>((static_cast<double>(band->delay[2]) - low) * band->gain);
    band->delay[2] = band->delay[1];
    band->delay[1] = band->delay[0];
    band->delay[0] = x;
    return out;
}

// Stores f and r and derives p, k and q from them.
inline void patch_filter_tune(patch_filter_t* filter, float f, float r)
{
    const float g = 1.0f - f;
    const float p = f * 0.8f * g + f;
    const float k = 2.0f * p - 1.0f;
    const float q = ((g * 5.6f * g + f) * g * 0.5f + 1.0f) * r;
    filter->f = f;
    filter->r = r;
    filter->p = p;
    filter->k = k;
    filter->q = q;
}

// One ladder update on input x; returns the band-pass output.
inline float patch_filter_run(patch_filter_t* filter, float x_in)
{
    const float p = filter->p;
    const float k = filter->k;
    const float x = x_in - filter->q * filter->b4;

    filter->t_b2 = filter->b2;
    filter->t_b3 = filter->b3;

    const float b1 = (x + filter->b0) * p - filter->b1 * k;
    const float b2 = (filter->b1 + b1) * p - filter->b2 * k;
    const float b3 = (filter->b2 + b2) * p - filter->b3 * k;
    const float b4 = (filter->b3 + b3) * p - filter->b4 * k;
    // 0.166667, deliberately not the float nearest 1/6.
    const float clipped = b4 - (b4 * b4) * (b4 * 0.166667f);

    filter->b0 = x;
    filter->b1 = b1;
    filter->b2 = b2;
    filter->b3 = b3;
    filter->b4 = clipped;
    return (b3 - clipped) * 3.0f;
}
