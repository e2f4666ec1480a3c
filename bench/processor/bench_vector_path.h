// The vector path the processor's blocks take in this benchmark, chosen by the
// benchmark instead of by the machine (bench_vector_path.cpp replaces the
// engine's choice at link time).
#pragma once

#include "dsp/vector_paths.h"

namespace ferrulith::bench
{

// Set by each benchmark before it starts a processor.
extern const patch_vector_path_t* bench_vector_path;

} // namespace ferrulith::bench
