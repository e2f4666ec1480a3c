// The per-sample step. Every output, record field and wire slot is what the
// straightforward step gives, bit for bit; the step only avoids repeating work:
// the gate rings keep running sums (noise_gate.cpp), values that depend only on
// the sample rate or on one parameter's value are recomputed when those inputs
// change, and the two channels' chains run side by side so one channel's
// arithmetic can overlap the other's tanh calls.
#include "dsp/patch_internal.h"

#include <cstring>

namespace
{

// Keeps the gate ring away from exactly +-1 so every sample stays finite.
float limit_shaped(float s)
{
    if (s > 0.99999f)
        return 0.99999f;
    if (!(s >= -0.99999f))
        return -0.99999f;
    return s;
}

// Forces a parameter into its range; a NaN ends at max.
float clamp_param(patch_param_t* param)
{
    float value = param->value;
    if (param->min > value)
        value = param->min;
    if (!(param->max >= value))
        value = param->max;
    if (param->is_integer == 1)
        value = static_cast<float>(static_cast<int32_t>(value));
    param->value = value;
    return value;
}

uint64_t bits64(double x)
{
    uint64_t bits;
    memcpy(&bits, &x, sizeof bits);
    return bits;
}

// The memo key of one 32-bit input; never zero.
uint64_t memo_key(float x)
{
    return (uint64_t{1} << 32) | patch_float_bits(x);
}

// The value `compute` gives for `input`, computed again only when the input's
// bits differ from the last call's.
template <typename Compute> double memoized(patch_memo_t* memo, float input, Compute compute)
{
    const uint64_t key = memo_key(input);
    if (memo->key != key)
    {
        memo->value = compute(input);
        memo->key = key;
    }
    return memo->value;
}

// Sets the band's coef from its corner frequency, its pi and the sample rate.
void set_coef(patch_coef_memo_t* memo, patch_band_t* band, float sample_rate, double period)
{
    const uint64_t rate_and_freq =
        (uint64_t{patch_float_bits(sample_rate)} << 32) | patch_float_bits(band->freq);
    const uint64_t pi = bits64(band->pi);
    if (memo->held == 0 || memo->rate_and_freq != rate_and_freq || memo->pi != pi)
    {
        memo->coef = patch_band_coef(band, period);
        memo->rate_and_freq = rate_and_freq;
        memo->pi = pi;
        memo->held = 1;
    }
    band->coef = memo->coef;
}

} // namespace

void patch_process_sample(patch_t* patch, const float* frame)
{
    const float in_l = frame[0];
    const float in_r = frame[1];
    // The input tanh calls depend on nothing else: started first, they overlap
    // the end of the previous frame's chain.
    const float sat_in_l = patch_saturate(in_l);
    const float sat_in_r = patch_saturate(in_r);
    const bool bypass = patch->bypass != 0;
    if (bypass)
    {
        patch->outputs[0]->value = in_l;
        patch->outputs[1]->value = in_r;
    }
    patch->inputs[0]->value = in_l;
    patch->inputs[1]->value = in_r;

    // Clamped through the array in index order; the shortcut pointers are the
    // same records.
    float value[8];
    for (int i = 0; i < 8; ++i)
        value[i] = clamp_param(patch->params[i]);
    const float preamp = value[0];
    const float noise = value[1];
    const float volume = value[2];
    const float lo = value[3];
    const float res = value[4];
    const float cut = value[5];
    const float hi = value[6];
    const float boost = value[7];

    patch_wire_t& w = patch->wire;
    patch_step_cache_t& cache = patch->cache;
    const float sample_rate = patch->sample_rate;

    const float drive_gain = patch_scaled(patch->drive_factor, preamp);
    const float volume_gain = patch_scaled(patch->volume_factor, volume);
    const float gate_level = patch_scaled(patch->noise_factor, noise);
    const float boost_gain = patch_scaled(patch->boost_factor, boost);
    const float cut_value = patch_scaled(patch->cut_factor, cut);
    const float res_value = patch_scaled(patch->res_factor, res);
    const float lo_db = patch_scaled(patch->lo_factor, lo);
    const float hi_db = patch_scaled(patch->hi_factor, hi);

    // Outputs are last frame's saturated mix at this frame's volume.
    if (!bypass)
    {
        patch->out_r->value = volume_gain * w.sat_r;
        patch->out_l->value = w.sat_l * volume_gain;
    }

    const float shaped_l = limit_shaped(sat_in_l);
    const float shaped_r = limit_shaped(sat_in_r);
    const float gated_l =
        patch_gate_update(&patch->gate_l, &cache.sum_l, shaped_l, gate_level, sample_rate);
    const float gated_r =
        patch_gate_update(&patch->gate_r, &cache.sum_r, shaped_r, gate_level, sample_rate);
    const float driven_l = gated_l * drive_gain;
    const float driven_r = gated_r * drive_gain;

    const float pre_l = patch_saturate(driven_l);
    const float pre_r = patch_saturate(driven_r);
    // Shared tone values, off the signal's path, placed in the shadow of the
    // drive tanh calls. The left filter takes the right one's tuning.
    patch_filter_tune(&patch->filter_r, cut_value * 0.3f, res_value * 0.9f);
    patch_filter_tune(&patch->filter_l, patch->filter_r.f, patch->filter_r.r);
    const double low_gain = memoized(&cache.lo_gain, lo_db, patch_lo_gain);
    const double high_gain = memoized(&cache.hi_gain, hi_db, patch_hi_gain);
    patch->lo_r.gain = low_gain;
    patch->lo_l.gain = low_gain;
    patch->hi_r.gain = high_gain;
    patch->hi_l.gain = high_gain;
    const double period = memoized(&cache.inv_rate, sample_rate,
                                   [](float rate) { return 1.0 / static_cast<double>(rate); });
    set_coef(&cache.coef_lo_r, &patch->lo_r, sample_rate, period);
    set_coef(&cache.coef_hi_r, &patch->hi_r, sample_rate, period);
    set_coef(&cache.coef_lo_l, &patch->lo_l, sample_rate, period);
    set_coef(&cache.coef_hi_l, &patch->hi_l, sample_rate, period);

    const float boost_in_l = boost_gain * pre_l;
    const float boost_in_r = boost_gain * pre_r;
    const float boosted_l = patch_saturate(boost_in_l);
    const float boosted_r = patch_saturate(boost_in_r);

    const float bp_r_out = patch_filter_run(&patch->filter_r, boosted_r);
    const float bp_l_out = patch_filter_run(&patch->filter_l, boosted_l);
    const float lo_r_out = patch_low_band_run(&patch->lo_r, boosted_r);
    const float lo_l_out = patch_low_band_run(&patch->lo_l, boosted_l);
    const float hi_r_out = patch_high_band_run(&patch->hi_r, boosted_r);
    const float hi_l_out = patch_high_band_run(&patch->hi_l, boosted_l);

    const float mix_r = (lo_r_out * patch->mix_r_weight[0] + bp_r_out * patch->mix_r_weight[1]) +
                        hi_r_out * patch->mix_r_weight[3];
    const float mix_l = (lo_l_out * patch->mix_l_weight[0] + bp_l_out * patch->mix_l_weight[1]) +
                        hi_l_out * patch->mix_l_weight[3];

    w.volume_gain = volume_gain;
    w.drive_gain = drive_gain;
    w.lo_r_out = lo_r_out;
    w.bp_r_out = bp_r_out;
    w.hi_r_out = hi_r_out;
    w.lo_l_out = lo_l_out;
    w.bp_l_out = bp_l_out;
    w.hi_l_out = hi_l_out;
    w.mix_l = mix_l;
    w.mix_r = mix_r;
    w.boosted_r = boosted_r;
    w.boosted_l = boosted_l;
    w.shaped_l = shaped_l;
    w.gated_l = gated_l;
    w.shaped_r = shaped_r;
    w.gated_r = gated_r;
    w.boost_gain = boost_gain;
    w.driven_l = driven_l;
    w.driven_r = driven_r;
    w.pre_l = pre_l;
    w.pre_r = pre_r;
    w.boost_in_l = boost_in_l;
    w.boost_in_r = boost_in_r;
    w.gate_level = gate_level;
    w.lo_db = lo_db;
    w.hi_db = hi_db;
    w.cut_value = cut_value;
    w.res_value = res_value;

    // Last, so the next frame's first calls follow them closely.
    w.sat_l = patch_saturate(mix_l);
    w.sat_r = patch_saturate(mix_r);
}
