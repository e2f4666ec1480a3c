// The per-sample step exactly as first written: every value recomputed every
// frame, both gate rings summed afresh in index order. The engine's own step
// must stay bit for bit equal to it in outputs and in every record it leaves
// behind; the equivalence tests and the benchmarks run the two side by side.
// Works on the engine's records but on none of the engine's code except its
// tanh, which tanh_test.cpp checks on every input.
#pragma once

#include <cstdint>

#include "dsp/patch.h"

namespace literal
{

// The factor's integer part (truncated toward zero) times value, in 32-bit.
inline float patch_scaled(float factor, float value)
{
    return static_cast<float>(static_cast<int32_t>(factor)) * value;
}

float patch_saturate(float x);
float patch_gate_update(patch_gate_t* gate, float s, float level, float sample_rate);
double patch_lo_gain(float lo_db);
double patch_hi_gain(float hi_db);
double patch_band_coef(const patch_band_t* band, double inv_rate);
float patch_low_band_run(patch_band_t* band, float x);
float patch_high_band_run(patch_band_t* band, float x);
void patch_filter_tune(patch_filter_t* filter, float f, float r);
float patch_filter_run(patch_filter_t* filter, float x);

void patch_process_sample(patch_t* patch, const float* frame);

} // namespace literal
