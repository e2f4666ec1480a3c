// The per-sample step. Every output, record field and wire slot is what the
// straightforward step gives, bit for bit; the step only avoids repeating work:
// the gate rings keep running sums (noise_gate.cpp), values that depend only on
// the sample rate or on one parameter's value are recomputed when those inputs
// change, and the two channels' chains run side by side so one channel's
// arithmetic can overlap the other's tanh calls.
#include "dsp/patch_internal.h"

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
    float value[PATCH_PARAM_COUNT];
    for (int i = 0; i < PATCH_PARAM_COUNT; ++i)
        value[i] = patch_clamp_param(patch->params[i]);

    patch_wire_t& w = patch->wire;
    patch_step_cache_t& cache = patch->cache;
    const float sample_rate = patch->sample_rate;

    const patch_frame_gains_t gains = patch_frame_gains(patch, value);
    const float drive_gain = gains.drive_gain;
    const float volume_gain = gains.volume_gain;
    const float gate_level = gains.gate_level;
    const float boost_gain = gains.boost_gain;

    // Outputs are last frame's saturated mix at this frame's volume.
    if (!bypass)
    {
        patch->out_r->value = volume_gain * w.sat_r;
        patch->out_l->value = w.sat_l * volume_gain;
    }

    const float shaped_l = patch_limit_shaped(sat_in_l);
    const float shaped_r = patch_limit_shaped(sat_in_r);
    const float gated_l =
        patch_gate_update(&patch->gate_l, &cache.sum_l, shaped_l, gate_level, sample_rate);
    const float gated_r =
        patch_gate_update(&patch->gate_r, &cache.sum_r, shaped_r, gate_level, sample_rate);
    const float driven_l = gated_l * drive_gain;
    const float driven_r = gated_r * drive_gain;

    const float pre_l = patch_saturate(driven_l);
    const float pre_r = patch_saturate(driven_r);
    // Shared tone values, off the signal's path, placed in the shadow of the
    // drive tanh calls.
    patch_tune_tone(patch, gains);

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

    const float mix_r = patch_mix(patch->mix_r_weight, lo_r_out, bp_r_out, hi_r_out);
    const float mix_l = patch_mix(patch->mix_l_weight, lo_l_out, bp_l_out, hi_l_out);

    patch_store_gains(&w, gains);
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
    w.driven_l = driven_l;
    w.driven_r = driven_r;
    w.pre_l = pre_l;
    w.pre_r = pre_r;
    w.boost_in_l = boost_in_l;
    w.boost_in_r = boost_in_r;

    // Last, so the next frame's first calls follow them closely.
    w.sat_l = patch_saturate(mix_l);
    w.sat_r = patch_saturate(mix_r);
}
