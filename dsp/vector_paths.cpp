// Which vector paths the engine has.
#include "dsp/vector_paths.h"

namespace
{

#if defined(PATCH_PATHS_SSE2)

bool always()
{
    return true;
}

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

const patch_vector_path_t kPaths[] = {
    {"sse2", always, patch_tanh_sse2, patch_tanh_in_sse2, patch_block_sse2},
#if defined(PATCH_PATHS_WIDE)
    {"avx2", has_avx2, patch_tanh_avx2, patch_tanh_in_avx2, patch_block_avx2},
    {"avx512", has_avx512, patch_tanh_avx512, patch_tanh_in_avx512, patch_block_avx512},
#endif
};

#else

bool always()
{
    return true;
}

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

const patch_vector_path_t kPaths[] = {{"scalar", always, scalar_array, run_block<ScalarLanes>}};

#endif

constexpr int32_t kPathCount = static_cast<int32_t>(sizeof kPaths / sizeof kPaths[0]);

} // namespace

const patch_vector_path_t* patch_vector_paths(int32_t* count)
{
    *count = kPathCount;
    return kPaths;
}
