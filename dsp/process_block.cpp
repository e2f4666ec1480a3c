// Processing by blocks. The step is one long chain per channel with four tanh
// calls in it, but no feedback loop of the patch runs through a tanh: only the
// gates, the bands and the filters carry state from frame to frame, and
// sat_l/sat_r only feed the next frame's output. So a block is worked stage by
// stage over chunks of frames: every tanh of a stage, both channels at once,
// goes through a vector path, and each recurrence runs frame by frame in its
// own order. Parameters and factors do not change within a block, so what the
// step derives from them is derived once.

#include "dsp/patch_internal.h"
#include "dsp/patch_params.h"
#include "dsp/vector_paths.h"

namespace
{

// Puts each parameter's clamped value in value and tells whether every one
// clamps to itself, so every frame of the block runs with the same values.
// Only an integer record whose value lies beyond the 32-bit integers can fail
// this; such a block goes frame by frame through the step. The records are
// left as they are.
bool values_settle(const patch_t* patch, float* value)
{
    for (int i = 0; i < PATCH_PARAM_COUNT; ++i)
    {
        const patch_param_t* param = patch->params[i];
        value[i] = patch_clamped_value(param, param->value);
        if (patch_float_bits(patch_clamped_value(param, value[i])) != patch_float_bits(value[i]))
            return false;
    }
    return true;
}

void by_step(patch_t* patch, const float* in_l, const float* in_r, float* out_l, float* out_r,
             int32_t frames)
{
    for (int32_t i = 0; i < frames; ++i)
    {
        const float frame[2] = {in_l ? in_l[i] : 0.0f, in_r ? in_r[i] : 0.0f};
        patch_process_sample(patch, frame);
        if (out_l)
            out_l[i] = patch->out_l->value;
        if (out_r)
            out_r[i] = patch->out_r->value;
    }
}

} // namespace

void patch_process_block_on(const patch_vector_path_t* path, patch_t* patch, const float* in_l,
                            const float* in_r, float* out_l, float* out_r, int32_t frames)
{
    if (frames <= 0)
        return;
    float value[PATCH_PARAM_COUNT];
    if (!values_settle(patch, value))
    {
        by_step(patch, in_l, in_r, out_l, out_r, frames);
        return;
    }
    // The step's own clamp, done once for the block.
    for (int i = 0; i < PATCH_PARAM_COUNT; ++i)
        patch->params[i]->value = value[i];
    const patch_frame_gains_t g = patch_frame_gains(patch, value);
    patch_tune_tone(patch, g);
    path->block(patch, g, in_l, in_r, out_l, out_r, frames);
}

void patch_process_block(patch_t* patch, const float* in_l, const float* in_r, float* out_l,
                         float* out_r, int32_t frames)
{
    patch_process_block_on(patch_chosen_vector_path(), patch, in_l, in_r, out_l, out_r, frames);
}
