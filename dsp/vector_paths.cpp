// Which vector paths the engine has, and which of them this machine runs.
#include "dsp/vector_paths.h"

namespace
{

bool always()
{
    return true;
}

struct Entry
{
    patch_vector_path_t path;
    // Whether this processor and its operating system can run the path.
    bool (*runs_here)();
};

#if defined(PATCH_PATHS_SSE2)

// The compiler's check asks the processor and also whether the operating
// system saves the wide registers.
bool has_avx2()
{
    return __builtin_cpu_supports("avx2");
}

bool has_avx512()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("avx512dq");
}

const Entry kPaths[] = {
    {{"sse2", patch_tanh_sse2, patch_tanh_in_sse2, patch_block_sse2}, always},
#if defined(PATCH_PATHS_WIDE)
    {{"avx2", patch_tanh_avx2, patch_tanh_in_avx2, patch_block_avx2}, has_avx2},
    {{"avx512", patch_tanh_avx512, patch_tanh_in_avx512, patch_block_avx512}, has_avx512},
#endif
};

} // namespace

#else

} // namespace

#include "dsp/block_kernel.h"
#include "dsp/tanh.h"

namespace
{

// Elsewhere the scalar kernel, one value at a time.
using patch_tanh_kernel::ScalarLanes;

void scalar_array(const float* x, float* y, int32_t count)
{
    patch_tanh_kernel::tanh_array<ScalarLanes>(x, y, count);
}

void scalar_array_in(int32_t range, const float* x, float* y, int32_t count)
{
    patch_tanh_kernel::tanh_array_in<ScalarLanes>(static_cast<patch_tanh_kernel::Range>(range), x,
                                                  y, count);
}

const Entry kPaths[] = {
    {{"scalar", scalar_array, scalar_array_in, run_block<ScalarLanes>}, always}};

} // namespace

#endif

int32_t patch_runnable_vector_paths(const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX])
{
    int32_t count = 0;
    for (const Entry& entry : kPaths)
    {
        if (entry.runs_here())
            paths[count++] = &entry.path;
    }
    return count;
}
