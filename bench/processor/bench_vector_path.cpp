#include "processor/bench_vector_path.h"

const patch_vector_path_t* ferrulith::bench::bench_vector_path = nullptr;

// Replaces the engine's choice, which lives alone in its file for this. Every
// benchmark sets its path before it starts a processor.
const patch_vector_path_t* patch_chosen_vector_path()
{
    return ferrulith::bench::bench_vector_path;
}
