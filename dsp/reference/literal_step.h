// The per-sample step as first written: every value recomputed every frame,
// both gate rings summed afresh in index order, each tanh its own call. The
// engine's own step must stay bit for bit equal to it in outputs and in every
// record it leaves behind; the equivalence tests and the benchmarks run the
// two side by side.
//
// It is an oracle for what the step keeps between frames or computes in other
// ways than as written (the gate rings' running sums, the tone gains and
// coefficients kept while their inputs stay, the saturation), so those parts
// are written here on their own. Stages the step runs as written (the filter,
// the tone bands' stages, the gain and coefficient formulas) are the engine's.
#pragma once

#include "dsp/patch.h"

namespace ferrulith::literal
{

float patch_saturate(float x);
float patch_gate_update(patch_gate_t* gate, float s, float level, float sample_rate);
void patch_process_sample(patch_t* patch, const float* frame);

} // namespace ferrulith::literal
