#include "dsp/reference/literal_step.h"

#include "dsp/patch_internal.h"

#include <cmath>

#include "dsp/tanh.h"

namespace ferrulith::literal
{

float patch_saturate(float x)
{
    const float t = patch_tanh(x);
    return std::isnan(t) || t >= 1.0f ? 1.0f : t <= -1.0f ? -1.0f : t;
}

namespace
{

// The gate ring holds values strictly inside (-1, 1); NaN goes to the bottom.
float inside_ring_limits(float s)
{
    constexpr float kEdge = 0.99999f;
    if (s >= -kEdge)
        return s > kEdge ? kEdge : s;
    return -kEdge;
}

// A parameter's value brought into [min, max] (NaN to max), then truncated
// when the parameter is an integer one.
void bound_param(patch_param_t& param)
{
    float v = param.value;
    v = param.min > v ? param.min : v;
    v = param.max >= v ? v : param.max;
    param.value = param.is_integer == 1 ? static_cast<float>(static_cast<int32_t>(v)) : v;
}

} // namespace

void patch_process_sample(patch_t* patch, const float* frame)
{
    patch_wire_t& w = patch->wire;

    if (patch->bypass != 0)
    {
        patch->outputs[0]->value = frame[0];
        patch->outputs[1]->value = frame[1];
    }
    patch->inputs[0]->value = frame[0];
    patch->inputs[1]->value = frame[1];

    for (int i = 0; i < patch->param_count; ++i)
        bound_param(*patch->params[i]);

    w.drive_gain = patch_scaled(patch->drive_factor, patch->p_preamp->value);
    w.volume_gain = patch_scaled(patch->volume_factor, patch->p_volume->value);

    w.shaped_l = patch_saturate(patch->in_l->value);
    w.gate_level = patch_scaled(patch->noise_factor, patch->p_noise->value);
    w.shaped_l = inside_ring_limits(w.shaped_l);
    w.gated_l = patch_gate_update(&patch->gate_l, w.shaped_l, w.gate_level, patch->sample_rate);
    w.driven_l = w.gated_l * w.drive_gain;

    w.shaped_r = inside_ring_limits(patch_saturate(patch->in_r->value));
    const float gated_r =
        patch_gate_update(&patch->gate_r, w.shaped_r, w.gate_level, patch->sample_rate);
    w.boost_gain = patch_scaled(patch->boost_factor, patch->p_boost->value);
    w.gated_r = gated_r;
    w.driven_r = w.gated_r * w.drive_gain;

    w.pre_r = patch_saturate(w.driven_r);
    w.boost_in_r = w.boost_gain * w.pre_r;
    w.boosted_r = patch_saturate(w.boost_in_r);

    // Right tone and filter; the values shared with the left channel are
    // derived here once per frame.
    w.cut_value = patch_scaled(patch->cut_factor, patch->p_cut->value);
    w.res_value = patch_scaled(patch->res_factor, patch->p_res->value);
    patch_filter_tune(&patch->filter_r, w.cut_value * 0.3f, w.res_value * 0.9f);
    w.bp_r_out = patch_filter_run(&patch->filter_r, w.boosted_r);

    w.lo_db = patch_scaled(patch->lo_factor, patch->p_lo->value);
    const double lo_gain = patch_lo_gain(w.lo_db);
    patch->lo_r.gain = lo_gain;
    patch->lo_l.gain = lo_gain;
    const double inv_rate = 1.0 / static_cast<double>(patch->sample_rate);
    patch->lo_r.coef = patch_band_coef(&patch->lo_r, inv_rate);
    w.lo_r_out = patch_low_band_run(&patch->lo_r, w.boosted_r);

    w.hi_db = patch_scaled(patch->hi_factor, patch->p_hi->value);
    const double hi_gain = patch_hi_gain(w.hi_db);
    patch->hi_r.gain = hi_gain;
    patch->hi_l.gain = hi_gain;
    patch->hi_r.coef = patch_band_coef(&patch->hi_r, inv_rate);
    w.hi_r_out = patch_high_band_run(&patch->hi_r, w.boosted_r);

    w.pre_l = patch_saturate(w.driven_l);
    w.boost_in_l = w.boost_gain * w.pre_l;
    w.boosted_l = patch_saturate(w.boost_in_l);

    patch->lo_l.coef = patch_band_coef(&patch->lo_l, inv_rate);
    w.lo_l_out = patch_low_band_run(&patch->lo_l, w.boosted_l);
    patch->hi_l.coef = patch_band_coef(&patch->hi_l, inv_rate);
    w.hi_l_out = patch_high_band_run(&patch->hi_l, w.boosted_l);
    patch_filter_tune(&patch->filter_l, patch->filter_r.f, patch->filter_r.r);
    w.bp_l_out = patch_filter_run(&patch->filter_l, w.boosted_l);

    w.mix_r = (w.lo_r_out * patch->mix_r_weight[0] + w.bp_r_out * patch->mix_r_weight[1]) +
              w.hi_r_out * patch->mix_r_weight[3];
    w.mix_l = (w.lo_l_out * patch->mix_l_weight[0] + w.bp_l_out * patch->mix_l_weight[1]) +
              w.hi_l_out * patch->mix_l_weight[3];

    // Outputs are last frame's saturated mix at this frame's volume.
    if (patch->bypass == 0)
    {
        patch->out_r->value = w.volume_gain * w.sat_r;
        patch->out_l->value = w.sat_l * w.volume_gain;
    }

    w.sat_r = patch_saturate(w.mix_r);
    w.sat_l = patch_saturate(w.mix_l);
}

} // namespace ferrulith::literal
