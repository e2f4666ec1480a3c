// The engine's own tanh on all 2^32 inputs, NaN payloads included, as the
// processor leaves its denormal handling and with flush-to-zero and
// denormals-are-zero set: every vector path this machine runs gives the bits
// of the scalar one, with each of its codes, and the scalar one gives the
// bits of the C library's tanhf where that is the same classic algorithm
// (glibc up to 2.40). The inputs are shared out among threads, so the sweeps
// take seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
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
#include "dsp/tanh_kernel.h"
#include "dsp/vector_paths.h"
#include "float_bits.h"

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

using ArrayFn = std::function<void(const float* x, float* y, int32_t count)>;

// A tanh to check; one with a range of |x| bits, [from, below), is checked on
// the inputs in that range only.
struct Candidate
{
    std::string name;
    ArrayFn tanh;
    uint32_t from = 0;
    uint32_t below = 0xffffffff;
};

// Whether every input of the block, first to last in rising bit order within
// one sign, lies in the candidate's range.
bool block_in_range(const Candidate& c, uint32_t first, uint32_t last)
{
    if ((first ^ last) >> 31)
        return false;
    return (first & 0x7fffffff) >= c.from && (last & 0x7fffffff) < c.below;
}

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
                if (!block_in_range(candidates[c], bits_of(x[0]), bits_of(x[count - 1])))
                    continue;
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

std::vector<const patch_vector_path_t*> runnable_paths()
{
    const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX];
    return {paths, paths + patch_runnable_vector_paths(paths)};
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
    // Each path's own choice of code for every vector, and for the inputs on
    // the curve, |x| in [2^-26, 22), the code for any range and the code for
    // the curve alone, which its own choice reaches only where lanes of
    // both sides of 1 meet.
    using patch_tanh_kernel::Range;
    std::vector<Candidate> candidates;
    for (const patch_vector_path_t* path : runnable_paths())
    {
        candidates.push_back({path->name, path->tanh});
        for (const Range range : {Range::any, Range::curve})
        {
            const std::string name =
                std::string(path->name) + (range == Range::any ? ", any range" : ", the curve");
            candidates.push_back({name,
                                  [path, range](const float* x, float* y, int32_t count)
                                  { path->tanh_in(static_cast<int32_t>(range), x, y, count); },
                                  0x32800000, 0x41b00000});
        }
    }
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

TEST(EngineTanh, EveryPathChoosesTheRightCodeForVectorsAcrossTheEdgesOfItsRanges)
{
    // Vectors whose lanes sit at and next to the edges of the ranges and of
    // the kernel's branches, both signs, shuffled together.
    std::vector<float> edges;
    for (const uint32_t edge : {0x24000000u, 0x32800000u, 0x3e317219u, 0x3f051592u, 0x3f800000u,
                                0x41b00000u, 0x7f800000u})
    {
        for (uint32_t bits = edge - 2; bits <= edge + 2; ++bits)
        {
            for (const uint32_t sign : {0u, 0x80000000u})
            {
                float x;
                const uint32_t b = bits | sign;
                memcpy(&x, &b, sizeof x);
                edges.push_back(x);
            }
        }
    }
    std::vector<float> x(1 << 16), expected(x.size()), actual(x.size());
    uint32_t state = 1u;
    for (float& v : x)
    {
        state = state * 1664525u + 1013904223u;
        v = edges[(state >> 8) % edges.size()];
    }
    for (size_t i = 0; i < x.size(); ++i)
        expected[i] = patch_tanh(x[i]);
    for (const patch_vector_path_t* path : runnable_paths())
    {
        path->tanh(x.data(), actual.data(), static_cast<int32_t>(x.size()));
        for (size_t i = 0; i < x.size(); ++i)
            ASSERT_EQ(bits_of(expected[i]), bits_of(actual[i]))
                << path->name << ": tanh(0x" << std::hex << bits_of(x[i]) << ")";
    }
}
