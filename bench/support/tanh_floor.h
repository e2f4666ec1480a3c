// The floor a stereo frame cannot go below: its eight 32-bit tanh calls.
// Measured two ways, in the same run as the benchmark that reports against
// them:
// - independent: the eight calls with nothing between them, so the processor
//   overlaps them freely (the cost of the calls themselves);
// - chained: the same calls in the step's data dependencies, four after one
//   another in each channel (input, drive, boost, mix), the two channels side
//   by side; no step that computes those values can beat it.
// Benchmarks report their time per frame divided by each floor as the
// counters x_tanhf and x_chains. Times are the thread's processor time, so a
// busy machine that takes the processor away now and then changes the ratios
// much less than it changes wall-clock times.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace ferrulith::bench::tanh_floor
{

// Processor time this thread has used, in nanoseconds.
inline double thread_ns()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

constexpr int kFrames = 4096; // a power of two, cycled

// Deterministic noise around the level of a played guitar, left and right interleaved.
inline const std::vector<float>& noisy_signal()
{
    static const std::vector<float> buffer = []
    {
        std::vector<float> b(2 * kFrames);
        uint32_t state = 987654321u;
        for (float& s : b)
        {
            state = state * 1664525u + 1013904223u;
            s = static_cast<float>(static_cast<int32_t>(state)) * (0.5f / 2147483648.0f);
        }
        return b;
    }();
    return buffer;
}

// Arguments of the sizes the step meets: input, drive 8, boost 11.59, mix.
inline void eight_independent(const float* frame)
{
    const float scale[8] = {1.0f, 1.0f, 8.0f, 8.0f, 11.59f, 11.59f, 1.5f, 1.5f};
    for (int i = 0; i < 8; ++i)
    {
        float x = frame[i & 1] * scale[i];
        benchmark::DoNotOptimize(x); // opaque argument: nothing to hoist or fold
        float y = ::tanhf(x);
        benchmark::DoNotOptimize(y); // used: the call cannot be dropped
    }
}

inline void eight_chained(const float* frame)
{
    float l = ::tanhf(frame[0]);
    float r = ::tanhf(frame[1]);
    l = ::tanhf(l * 8.0f);
    r = ::tanhf(r * 8.0f);
    l = ::tanhf(l * 11.59f);
    r = ::tanhf(r * 11.59f);
    l = ::tanhf(l * 0.9f);
    r = ::tanhf(r * 0.9f);
    benchmark::DoNotOptimize(l);
    benchmark::DoNotOptimize(r);
}

// Best of several timed passes, ns per frame.
template <typename Kernel> double ns_per_frame(Kernel kernel)
{
    const std::vector<float>& signal = noisy_signal();
    constexpr int kPasses = 9;
    constexpr int kFramesPerPass = 64 * kFrames;
    double best = 1e300;
    for (int pass = 0; pass < kPasses; ++pass)
    {
        const double start = thread_ns();
        for (int n = 0; n < kFramesPerPass; ++n)
            kernel(&signal[2 * (n & (kFrames - 1))]);
        best = std::min(best, (thread_ns() - start) / kFramesPerPass);
    }
    return best;
}

inline double independent_ns()
{
    static const double ns = ns_per_frame(eight_independent);
    return ns;
}

inline double chained_ns()
{
    static const double ns = ns_per_frame(eight_chained);
    return ns;
}

// Times the benchmark's own loop to set its ratios to both floors.
class FrameTimer
{
public:
    FrameTimer() : start(thread_ns()) {}

    // frames: how many stereo frames the loop processed in all.
    void report(benchmark::State& state, double frames) const
    {
        const double elapsed = thread_ns() - start;
        const double per_frame = frames > 0 ? elapsed / frames : 0.0;
        state.counters["ns_frame"] = per_frame;
        state.counters["x_tanhf"] = per_frame / independent_ns();
        state.counters["x_chains"] = per_frame / chained_ns();
    }

private:
    double start;
};

} // namespace ferrulith::bench::tanh_floor
