// Cost of one stereo frame through the patch: the engine's step and the step
// as first written (from the tests' reference copy), at the starting
// parameters and with every parameter changing every frame, and the block
// routine on each vector path this machine runs, beside the floors of the eight
// tanh calls every frame has to make.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "dsp/reference/literal_step.h"
#include "dsp/vector_paths.h"
#include "support/tanh_floor.h"

namespace
{

namespace tanh_floor = ferrulith::bench::tanh_floor;

constexpr float kRate = 48000.0f;
using tanh_floor::kFrames;

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
    tanh_floor::independent_ns(); // both floors measured before the clock starts
    tanh_floor::chained_ns();
    const std::vector<float>& signal = tanh_floor::noisy_signal();
    patch_t* patch = patch_create(kRate);
    const std::vector<float> knobs = knob_values(patch);
    int n = 0;
    tanh_floor::FrameTimer timer;
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
    tanh_floor::independent_ns();
    tanh_floor::chained_ns();
    const std::vector<float>& signal = tanh_floor::noisy_signal();
    int n = 0;
    tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        Eight(&signal[2 * n]);
        n = (n + 1) & (kFrames - 1);
    }
    timer.report(state, static_cast<double>(state.iterations()));
}

void BM_FloorEightTanhf(benchmark::State& state)
{
    run_floor<tanh_floor::eight_independent>(state);
}
BENCHMARK(BM_FloorEightTanhf);

void BM_FloorEightTanhfChained(benchmark::State& state)
{
    run_floor<tanh_floor::eight_chained>(state);
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

// The block routine on one vector path, over blocks of state.range(0) frames.
void BM_Block(benchmark::State& state, const patch_vector_path_t* path)
{
    tanh_floor::independent_ns();
    tanh_floor::chained_ns();
    const std::vector<float>& signal = tanh_floor::noisy_signal();
    std::vector<float> in_l(kFrames), in_r(kFrames), out_l(kFrames), out_r(kFrames);
    for (int i = 0; i < kFrames; ++i)
    {
        in_l[i] = signal[2 * i];
        in_r[i] = signal[2 * i + 1];
    }
    const int size = static_cast<int>(state.range(0));
    patch_t* patch = patch_create(kRate);
    int start = 0;
    tanh_floor::FrameTimer timer;
    for (auto _ : state)
    {
        patch_process_block_on(path, patch, &in_l[start], &in_r[start], &out_l[start],
                               &out_r[start], size);
        benchmark::DoNotOptimize(out_l.data());
        start = (start + size) & (kFrames - 1);
    }
    timer.report(state, static_cast<double>(state.iterations()) * size);
    patch_destroy(patch);
}

void register_block_benchmarks()
{
    const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX];
    const int32_t count = patch_runnable_vector_paths(paths);
    for (int32_t p = 0; p < count; ++p)
    {
        const std::string name = std::string("BM_Block_") + paths[p]->name;
        benchmark::RegisterBenchmark(name.c_str(), BM_Block, paths[p])->Arg(64)->Arg(512);
    }
}
const bool registered = (register_block_benchmarks(), true);

} // namespace
