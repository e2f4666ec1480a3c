// Cost of one stereo frame through the patch, and of the eight 32-bit tanh
// evaluations every frame has to make: their ratio shows how far the step is
// from its floor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "dsp/patch.h"

namespace
{

constexpr float kRate = 48000.0f;
constexpr int kFrames = 4096; // a power of two, cycled

// Deterministic noise around the level of a played guitar, left and right interleaved.
std::vector<float> noisy_signal()
{
    std::vector<float> buffer(2 * kFrames);
    uint32_t state = 987654321u;
    for (float& s : buffer)
    {
        state = state * 1664525u + 1013904223u;
        s = static_cast<float>(static_cast<int32_t>(state)) * (0.5f / 2147483648.0f);
    }
    return buffer;
}

void BM_PatchStepStartingParameters(benchmark::State& state)
{
    const std::vector<float> signal = noisy_signal();
    patch_t* patch = patch_create(kRate);
    int n = 0;
    for (auto _ : state)
    {
        patch_process_sample(patch, &signal[2 * n]);
        benchmark::DoNotOptimize(patch->out_l->value);
        benchmark::DoNotOptimize(patch->out_r->value);
        n = (n + 1) & (kFrames - 1);
    }
    state.SetItemsProcessed(state.iterations());
    patch_destroy(patch);
}
BENCHMARK(BM_PatchStepStartingParameters);

void BM_PatchStepParametersEveryFrame(benchmark::State& state)
{
    const std::vector<float> signal = noisy_signal();
    patch_t* patch = patch_create(kRate);
    // A new value for every parameter every frame, as a host automating them all.
    std::vector<float> knobs(8 * kFrames);
    uint32_t seed = 42u;
    for (int i = 0; i < 8 * kFrames; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        const patch_param_t* p = patch->params[i % 8];
        const float normalized = static_cast<float>(seed >> 8) * (1.0f / 16777216.0f);
        knobs[i] = p->min + (p->max - p->min) * normalized;
    }
    int n = 0;
    for (auto _ : state)
    {
        for (int i = 0; i < 8; ++i)
            patch->params[i]->value = knobs[8 * n + i];
        patch_process_sample(patch, &signal[2 * n]);
        benchmark::DoNotOptimize(patch->out_l->value);
        benchmark::DoNotOptimize(patch->out_r->value);
        n = (n + 1) & (kFrames - 1);
    }
    state.SetItemsProcessed(state.iterations());
    patch_destroy(patch);
}
BENCHMARK(BM_PatchStepParametersEveryFrame);

// The floor: eight tanhf calls per frame on arguments of the sizes the step
// meets (input, drive 8, boost 11.59, mix), fresh every frame.
void BM_EightTanhfPerFrame(benchmark::State& state)
{
    const std::vector<float> signal = noisy_signal();
    const float scale[8] = {1.0f, 1.0f, 8.0f, 8.0f, 11.59f, 11.59f, 1.5f, 1.5f};
    int n = 0;
    for (auto _ : state)
    {
        const float* frame = &signal[2 * n];
        for (int i = 0; i < 8; ++i)
        {
            float x = frame[i & 1] * scale[i];
            benchmark::DoNotOptimize(x); // opaque argument: nothing to hoist or fold
            float y = ::tanhf(x);
            benchmark::DoNotOptimize(y); // used: the call cannot be dropped
        }
        n = (n + 1) & (kFrames - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EightTanhfPerFrame);

} // namespace

void BM_TanhfChains(benchmark::State& state)
{
    const std::vector<float> signal = noisy_signal();
    int n = 0;
    float hold_l = 0, hold_r = 0;
    for (auto _ : state)
    {
        const float* frame = &signal[2 * n];
        float l = ::tanhf(frame[0]);
        float r = ::tanhf(frame[1]);
        l = ::tanhf(l * 8.0f);
        r = ::tanhf(r * 8.0f);
        l = ::tanhf(l * 11.59f);
        r = ::tanhf(r * 11.59f);
        l = ::tanhf(l * 0.9f);
        r = ::tanhf(r * 0.9f);
        hold_l = l;
        hold_r = r;
        benchmark::DoNotOptimize(hold_l);
        benchmark::DoNotOptimize(hold_r);
        n = (n + 1) & (kFrames - 1);
    }
}
BENCHMARK(BM_TanhfChains);
