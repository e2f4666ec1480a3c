// Alone in this file so a benchmark can replace the choice at link time.
#include "dsp/vector_paths.h"

// The widest path this machine runs.
const patch_vector_path_t* patch_chosen_vector_path()
{
    int32_t count = 0;
    const patch_vector_path_t* paths = patch_vector_paths(&count);
    const patch_vector_path_t* chosen = &paths[0];
    for (int32_t i = 1; i < count; ++i)
    {
        if (paths[i].runs_here())
            chosen = &paths[i];
    }
    return chosen;
}
