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
    const patch_vector_path_t* path;
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
    {&patch_path_sse2, always},
#if defined(PATCH_PATHS_WIDE)
    {&patch_path_avx2, has_avx2},
    {&patch_path_avx512, has_avx512},
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
constexpr patch_vector_path_t kScalarPath = vector_path<patch_tanh_kernel::ScalarLanes>("scalar");

const Entry kPaths[] = {{&kScalarPath, always}};

} // namespace

#endif

int32_t patch_runnable_vector_paths(const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX])
{
    int32_t count = 0;
    for (const Entry& entry : kPaths)
    {
        if (entry.runs_here())
            paths[count++] = entry.path;
    }
    return count;
}
