// The engine's tanh over arrays, one path per vector width. Every path gives,
// lane for lane, the bits of patch_tanh (dsp/tanh.h); wider paths only do it
// faster. One binary serves every x86-64 processor: the wider paths are built
// for their instruction sets alone and chosen at run time.
//
// Declarations only: the files built for wider instruction sets include it.
#pragma once

#include <cstdint>

// Every x86-64 processor has SSE2; the wider paths are built where the
// compiler can target them one file at a time (PATCH_TANH_WIDE).
#if defined(__SSE2__) || defined(_M_X64)
#define PATCH_TANH_SSE2 1
#endif

struct patch_tanh_path_t
{
    const char* name;
    // Whether this processor and its operating system can run the path.
    bool (*runs_here)();
    // y[i] = tanh(x[i]) for i below count.
    void (*tanh)(const float* x, float* y, int32_t count);
};

// Every path built into the engine, narrowest first; the first runs on any
// processor the engine runs on.
const patch_tanh_path_t* patch_tanh_paths(int32_t* count);

// The path the block routine takes on this machine: the widest it runs.
const patch_tanh_path_t* patch_tanh_chosen_path();

// One definition per path, each in its own file.
void patch_tanh_sse2(const float* x, float* y, int32_t count);
void patch_tanh_avx2(const float* x, float* y, int32_t count);
void patch_tanh_avx512(const float* x, float* y, int32_t count);
