// The engine's vector paths, one per vector width: the tanh over arrays and
// the block routine's stages built on it. Every path gives, lane for lane, the
// bits of patch_tanh (dsp/tanh.h) and of the step; wider paths only do it
// faster. One binary serves every x86-64 processor: each wider path is built
// for its instruction set in a file of its own and chosen at run time.
//
// Declarations only: the files built for wider instruction sets include it.
#pragma once

#include <cstdint>

// Every x86-64 processor has SSE2; the wider paths are built where the
// compiler can target them one file at a time (PATCH_PATHS_WIDE).
#if defined(__SSE2__) || defined(_M_X64)
#define PATCH_PATHS_SSE2 1
#endif

struct patch_t;
struct patch_frame_gains_t;

struct patch_vector_path_t
{
    const char* name;
    // y[i] = tanh(x[i]) for i below count.
    void (*tanh)(const float* x, float* y, int32_t count);
    // The same through the code of one range of |x| alone (range is a
    // patch_tanh_kernel::Range; every x[i] must lie in it), for the tests.
    void (*tanh_in)(int32_t range, const float* x, float* y, int32_t count);
    // patch_process_block once the parameters are clamped and the tone
    // blocks tuned for gains (dsp/process_block.cpp).
    void (*block)(patch_t* patch, const patch_frame_gains_t& gains, const float* in_l,
                  const float* in_r, float* out_l, float* out_r, int32_t frames);
};

enum
{
    PATCH_VECTOR_PATHS_MAX = 3,
};

// The paths built into the engine that this processor and its operating
// system can run, narrowest first (the first, the baseline, runs on every
// processor the engine runs on); returns how many it put in paths.
int32_t patch_runnable_vector_paths(const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX]);

// The path the block routine takes on this machine: the widest it runs.
const patch_vector_path_t* patch_chosen_vector_path();

// The paths, each in its own file.
extern const patch_vector_path_t patch_path_sse2;
extern const patch_vector_path_t patch_path_avx2;
extern const patch_vector_path_t patch_path_avx512;
