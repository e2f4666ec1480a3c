// The engine's own tanh on all 2^32 inputs, NaN payloads included, as the
// processor leaves its denormal handling and with flush-to-zero and
// denormals-are-zero set: every vector path this machine runs gives the bits
// of the scalar one, and the scalar one gives the bits of the C library's
// tanhf where that is the same classic algorithm (glibc up to 2.40). The
// inputs are shared out among threads, so the sweeps take seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif
#if defined(__GLIBC__)
#include <gnu/libc-version.h>
#endif

#include "dsp/tanh.h"
#include "dsp/vector_paths.h"

namespace
{

// The sanitizers slow the scalar code several-fold: there every 61st input
// (an odd step reaches every binade, both signs and NaN payloads).
#if defined(FERRULITH_SANITIZED)
constexpr uint64_t kStep = 61;
#else
constexpr uint64_t kStep = 1;
#endif
constexpr uint64_t kInputs = (uint64_t{1} << 32) / kStep;
constexpr uint64_t kBlock = 4096;

using ArrayFn = void (*)(const float* x, float* y, int32_t count);

struct Candidate
{
    std::string name;
    ArrayFn tanh;
};

void scalar_array(const float* x, float* y, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        y[i] = patch_tanh(x[i]);
}

void library_array(const float* x, float* y, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        y[i] = ::tanhf(x[i]);
}

uint32_t bits_of(float x)
{
    uint32_t b;
    memcpy(&b, &x, sizeof b);
    return b;
}

// Flush-to-zero and denormals-are-zero, set for the calling thread.
#if defined(__SSE2__)
constexpr bool kCanFlush = true;
void flush_denormals()
{
    _mm_setcsr(_mm_getcsr() | 0x8040u);
}
#else
constexpr bool kCanFlush = false;
void flush_denormals() {}
#endif

// Every candidate against the scalar tanh over the inputs, on all hardware
// threads; returns the first mismatch of each candidate, empty when none.
std::string sweep(const std::vector<Candidate>& candidates, bool flushed)
{
    std::atomic<uint64_t> next{0};
    std::mutex report_lock;
    std::vector<std::string> first(candidates.size());
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());

    auto work = [&]
    {
        if (flushed)
            flush_denormals();
        std::vector<float> x(kBlock), expected(kBlock), actual(kBlock);
        for (uint64_t start = next.fetch_add(kBlock); start < kInputs;
             start = next.fetch_add(kBlock))
        {
            const int32_t count = static_cast<int32_t>(std::min(kBlock, kInputs - start));
            for (int32_t i = 0; i < count; ++i)
            {
                const uint32_t input = static_cast<uint32_t>((start + i) * kStep);
                memcpy(&x[i], &input, sizeof input);
            }
            scalar_array(x.data(), expected.data(), count);
            for (size_t c = 0; c < candidates.size(); ++c)
            {
                candidates[c].tanh(x.data(), actual.data(), count);
                for (int32_t i = 0; i < count; ++i)
                {
                    if (bits_of(actual[i]) == bits_of(expected[i]))
                        continue;
                    char line[160];
                    snprintf(line, sizeof line, "%s: tanh(0x%08x) gave 0x%08x, scalar 0x%08x\n",
                             candidates[c].name.c_str(), bits_of(x[i]), bits_of(actual[i]),
                             bits_of(expected[i]));
                    const std::lock_guard<std::mutex> hold(report_lock);
                    if (first[c].empty())
                        first[c] = line;
                    break;
                }
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& t : pool)
        t.join();

    std::string report;
    for (const std::string& line : first)
        report += line;
    return report;
}

// Whether the C library's tanhf is the classic expm1-based algorithm.
bool library_is_classic(std::string* why)
{
#if defined(__GLIBC__)
    int major = 0;
    int minor = 0;
    *why = std::string("glibc ") + gnu_get_libc_version();
    if (sscanf(gnu_get_libc_version(), "%d.%d", &major, &minor) != 2)
        return false;
    return major == 2 && minor <= 40; // 2.41 changed tanhf
#else
    *why = "this C library";
    return false;
#endif
}

} // namespace

TEST(EngineTanh, EveryPathAndTheClassicTanhfGiveTheScalarBitsOnEveryInput)
{
    int32_t count = 0;
    const patch_vector_path_t* paths = patch_vector_paths(&count);
    std::vector<Candidate> candidates;
    for (int32_t i = 0; i < count; ++i)
    {
        if (paths[i].runs_here())
            candidates.push_back({paths[i].name, paths[i].tanh});
    }
    ASSERT_FALSE(candidates.empty());
    std::string library;
    if (library_is_classic(&library))
        candidates.push_back({"tanhf of " + library, library_array});
    else
        std::cout << "Not compared with the C library's tanhf: " << library
                  << " does not use the classic algorithm.\n";

    EXPECT_EQ("", sweep(candidates, false));
    if (kCanFlush)
    {
        EXPECT_EQ("", sweep(candidates, true)) << "with flush-to-zero and denormals-are-zero";
    }
}
