// The engine's building blocks, one call per stage of the per-sample step, kept
// apart so a faster step can reuse or replace them one at a time. Every routine
// here is bit-exact behaviour: widths and the order of operations matter.
#pragma once

#include <cstddef>

#include "dsp/patch.h"

// Every heap block of patch_create comes from here. Tests link their own
// definition to make a chosen allocation fail; keep it alone in its file.
void* patch_heap_alloc(size_t size);

// The factor's integer part (truncated toward zero) times value, in 32-bit.
inline float patch_scaled(float factor, float value)
{
    return static_cast<float>(static_cast<int32_t>(factor)) * value;
}

// tanh in 32-bit, then forced into [-1, 1]; a NaN comes out as 1.0.
float patch_saturate(float x);

// One gate update for shaped sample s at gate level level; returns the gated
// sample.
float patch_gate_update(patch_gate_t* gate, float s, float level, float sample_rate);

// Shared tone values of a frame.
double patch_lo_gain(float lo_db);
double patch_hi_gain(float hi_db);
double patch_band_coef(const patch_band_t* band, double inv_rate);

// One band update on input x; the band's coef and gain must be set.
float patch_low_band_run(patch_band_t* band, float x);
float patch_high_band_run(patch_band_t* band, float x);

// Stores f and r and derives p, k and q from them.
void patch_filter_tune(patch_filter_t* filter, float f, float r);
// One ladder update on input x; returns the band-pass output.
float patch_filter_run(patch_filter_t* filter, float x);
