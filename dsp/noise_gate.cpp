#include "dsp/noise_gate.h"

double patch_ring_ordered_sum(const patch_gate_t* gate)
{
    double sum = 0.0;
    for (int32_t i = 0; i < gate->window_len; ++i)
        sum += static_cast<double>(::fabsf(gate->window[i]));
    return sum;
}
