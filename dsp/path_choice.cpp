// Alone in this file so a benchmark can replace the choice at link time.
#include "dsp/vector_paths.h"

const patch_vector_path_t* patch_chosen_vector_path()
{
    const patch_vector_path_t* paths[PATCH_VECTOR_PATHS_MAX];
    return paths[patch_runnable_vector_paths(paths) - 1];
}
