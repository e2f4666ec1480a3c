// The engine's building blocks, one call per stage of the per-sample step, kept
// apart so each can be tested on its own. Every routine here is bit-exact
// behaviour: widths and the order of operations matter. The small ones are
// inline so the step can interleave the left and right chains around its tanh
// calls.
#pragma once

#include <cmath>
#include <cstddef>

#include "dsp/frame_kernels.h"
#include "dsp/noise_gate.h"
#include "dsp/patch.h"
#include "dsp/patch_params.h"
#include "dsp/tanh.h"

struct patch_vector_path_t;

// patch_process_block with a chosen vector path instead of the machine's own
// choice; every path gives the same bits.
void patch_process_block_on(const patch_vector_path_t* path, patch_t* patch, const float* in_l,
                            const float* in_r, float* out_l, float* out_r, int32_t frames);

// Every heap block of patch_create comes from here. Tests link their own
// definition to make a chosen allocation fail; keep it alone in its file.
void* patch_heap_alloc(size_t size);

// t forced into [-1, 1]; a NaN comes out as 1.0.
inline float patch_unit_clamp(float t)
{
    const float upper = t < 1.0f ? t : 1.0f;
    return upper > -1.0f ? upper : -1.0f;
}

// tanh in 32-bit, then forced into [-1, 1].
inline float patch_saturate(float x)
{
    return patch_unit_clamp(patch_tanh(x));
}

// Keeps the gate ring away from exactly +-1 so every sample stays finite.
inline float patch_limit_shaped(float s)
{
    if (s > 0.99999f)
        return 0.99999f;
    if (!(s >= -0.99999f))
        return -0.99999f;
    return s;
}

// What value becomes in a parameter record: forced into the record's range, a
// NaN to max, truncated toward zero when the record is an integer one.
inline float patch_clamped_value(const patch_param_t* param, float value)
{
    if (param->min > value)
        value = param->min;
    if (!(param->max >= value))
        value = param->max;
    if (param->is_integer == 1)
        value = static_cast<float>(static_cast<int32_t>(value));
    return value;
}

// Forces a parameter into its range, in place.
inline float patch_clamp_param(patch_param_t* param)
{
    param->value = patch_clamped_value(param, param->value);
    return param->value;
}

// The value compute gives for input, computed again only when the input's
// bits differ from those of the last call.
template <typename Compute> double patch_memoized(patch_memo_t* memo, float input, Compute compute)
{
    // Never zero, the key of an empty memo.
    const uint64_t key = (uint64_t{1} << 32) | patch_float_bits(input);
    if (memo->key != key)
    {
        memo->value = compute(input);
        memo->key = key;
    }
    return memo->value;
}

// Sets the band's coef from its corner frequency, its pi and the sample rate,
// computed again only when one of them changed.
void patch_set_coef(patch_coef_memo_t* memo, patch_band_t* band, float sample_rate, double period);

// Shared tone values of a frame, computed afresh.
double patch_lo_gain(float lo_db);
double patch_hi_gain(float hi_db);
double patch_band_coef(const patch_band_t* band, double inv_rate);

// Four cascaded one-pole low-pass stages of a band on input x.
namespace patch_detail
{

inline double run_stages(patch_band_t* band, double x)
{
    return patch_band_stages(band->y, x, band->coef, band->offset);
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

// One ladder update of a filter block on input x; returns the band-pass output.
inline float patch_filter_run(patch_filter_t* filter, float x_in)
{
    filter->t_b2 = filter->b2;
    filter->t_b3 = filter->b3;
    patch_ladder_t<float> s{filter->b0, filter->b1, filter->b2, filter->b3, filter->b4};
    const float out = patch_ladder_run(s, x_in, filter->p, filter->k, filter->q);
    filter->b0 = s.b0;
    filter->b1 = s.b1;
    filter->b2 = s.b2;
    filter->b3 = s.b3;
    filter->b4 = s.b4;
    return out;
}

// Sets every tone block's tuning for a frame: both filters (the left takes the
// right one's f and r), the band gains and the band coefficients.
inline void patch_tune_tone(patch_t* patch, const patch_frame_gains_t& g)
{
    patch_step_cache_t& cache = patch->cache;
    const float sample_rate = patch->sample_rate;
    patch_filter_tune(&patch->filter_r, g.cut_value * 0.3f, g.res_value * 0.9f);
    patch_filter_tune(&patch->filter_l, patch->filter_r.f, patch->filter_r.r);
    const double low_gain = patch_memoized(&cache.lo_gain, g.lo_db, patch_lo_gain);
    const double high_gain = patch_memoized(&cache.hi_gain, g.hi_db, patch_hi_gain);
    patch->lo_r.gain = low_gain;
    patch->lo_l.gain = low_gain;
    patch->hi_r.gain = high_gain;
    patch->hi_l.gain = high_gain;
    const double period = patch_memoized(
        &cache.inv_rate, sample_rate, [](float rate) { return 1.0 / static_cast<double>(rate); });
    patch_set_coef(&cache.coef_lo_r, &patch->lo_r, sample_rate, period);
    patch_set_coef(&cache.coef_hi_r, &patch->hi_r, sample_rate, period);
    patch_set_coef(&cache.coef_lo_l, &patch->lo_l, sample_rate, period);
    patch_set_coef(&cache.coef_hi_l, &patch->hi_l, sample_rate, period);
}

// weight: a channel's four mixer weights; the third is not used.
inline float patch_mix(const float* weight, float lo, float bp, float hi)
{
    return patch_mix(weight[0], weight[1], weight[3], lo, bp, hi);
}
