// Cost of one stereo frame through the patch: the engine's step and the step
// as first written (from the tests' reference copy), at the starting
// parameters and with every parameter changing every frame, beside the floors
// of the eight tanh calls every frame has to make.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "dsp/patch.h"
#include "dsp/reference/literal_step.h"
#include "support/tanh_floor.h"

namespace
{

constexpr float kRate = 48000.0f;
using ferrulith::bench::tanh_floor::kFrames;

using StepFn = void (*)(patch_t*, const float*);

// A new value for every parameter every frame, as a host automating them all.
std::vector<float> knob_values(const patch_t* patch)
{
    std::vector<float> knobs(8 * kFrames);
    uint32_t seed = 42u;
    for (int i = 0; i < 8 * kFrames; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        const patch_param_t* p = patch->params[i % 8];
        const float normalized = static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
        knobs[i] = p->min + (p->max - p->min) * normalized;
    }
    return knobs;
}

void run_step(benchmark::State& state, StepFn step, bool move_parameters)
{
    ferrulith::bench::tanh_floor::independent_ns(); // both floors measured before the clock starts
    ferrulith::bench::tanh_floor::chained_ns();
    const std::vector<float>& signal = ferrulith::bench::tanh_floor::noisy_signal();
    patch_t* patch = patch_create(kRate);
    const std::vector<float> knobs = knob_values(patch);
    int n = 0;
    ferrulith::bench::tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        if (move_parameters)
        {
            for (int i = 0; i < 8; ++i)
                patch->params[i]->value = knobs[8 * n + i];
        }
        step(patch, &signal[2 * n]);
        benchmark::DoNotOptimize(patch->out_l->value);
        benchmark::DoNotOptimize(patch->out_r->value);
        n = (n + 1) & (kFrames - 1);
    }
    timer.report(state, static_cast<double>(state.iterations()));
    patch_destroy(patch);
}

// The eight tanhf calls of a frame alone, made by Eight on each frame (a
// template argument, so the call is inlined as in the floor itself).
template <void (*Eight)(const float*)> void run_floor(benchmark::State& state)
{
    ferrulith::bench::tanh_floor::independent_ns();
    ferrulith::bench::tanh_floor::chained_ns();
    const std::vector<float>& signal = ferrulith::bench::tanh_floor::noisy_signal();
    int n = 0;
    ferrulith::bench::tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        Eight(&signal[2 * n]);
        n = (n + 1) & (kFrames - 1);
    }
    timer.report(state, static_cast<double>(state.iterations()));
}

void BM_FloorEightTanhf(benchmark::State& state)
{
    run_floor<ferrulith::bench::tanh_floor::eight_independent>(state);
}
BENCHMARK(BM_FloorEightTanhf);

void BM_FloorEightTanhfChained(benchmark::State& state)
{
    run_floor<ferrulith::bench::tanh_floor::eight_chained>(state);
}
BENCHMARK(BM_FloorEightTanhfChained);

void BM_LiteralStepStartingParameters(benchmark::State& state)
{
    run_step(state, ferrulith::literal::patch_process_sample, false);
}
BENCHMARK(BM_LiteralStepStartingParameters);

void BM_LiteralStepParametersEveryFrame(benchmark::State& state)
{
    run_step(state, ferrulith::literal::patch_process_sample, true);
}
BENCHMARK(BM_LiteralStepParametersEveryFrame);

void BM_StepStartingParameters(benchmark::State& state)
{
    run_step(state, patch_process_sample, false);
}
BENCHMARK(BM_StepStartingParameters);

void BM_StepParametersEveryFrame(benchmark::State& state)
{
    run_step(state, patch_process_sample, true);
}
BENCHMARK(BM_StepParametersEveryFrame);

} // namespace
