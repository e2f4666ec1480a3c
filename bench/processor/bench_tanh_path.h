// The tanh path the processor's blocks take in this benchmark, chosen by the
// benchmark instead of by the machine (bench_tanh_path.cpp replaces the
// engine's choice at link time).
#pragma once

#include "dsp/tanh_paths.h"

// Set by each benchmark before it starts a processor.
extern const patch_tanh_path_t* bench_tanh_path;
