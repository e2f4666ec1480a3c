#include "dsp/reference/literal_step.h"

#include <cmath>

namespace ferrulith::literal
{

namespace
{

// The gain change of one frame of a ramp. A ramp time below the gate's floor
// (or NaN) is raised to the floor first, and the record keeps the raised time.
double ramp_per_frame(float& ramp_time, float floor, float sample_rate)
{
    if (!(ramp_time >= floor))
        ramp_time = floor;
    return static_cast<double>(1.0f / (ramp_time * sample_rate));
}

// The magnitudes of the whole ring, added in index order in 64-bit.
double ring_magnitude(const patch_gate_t* gate)
{
    double total = 0.0;
    for (int32_t i = 0; i < gate->window_len; ++i)
        total += static_cast<double>(std::fabs(gate->window[i]));
    return total;
}

} // namespace

float patch_gate_update(patch_gate_t* gate, float s, float level, float sample_rate)
{
    gate->attack_time = gate->attack_param * 0.1f;
    gate->window[gate->window_pos] = s;
    gate->window_pos = (gate->window_pos + 1) % gate->window_len;
    const bool loud = ring_magnitude(gate) > static_cast<double>(level * 3.0f);

    // Closed and open hold their gain; opening and closing ramp it and end
    // at 1 or 0. In every state but closed, a quiet ring starts the closing
    // ramp; in every state but open, a loud one starts the opening ramp.
    const int32_t was = gate->state;
    int32_t next = was;
    if (was == gate->state_closed)
    {
        gate->gain = 0.0;
        next = loud ? gate->state_opening : was;
    }
    else if (was == gate->state_open)
    {
        gate->gain = 1.0;
        next = loud ? was : gate->state_closing;
    }
    else if (was == gate->state_opening)
    {
        gate->gain += ramp_per_frame(gate->attack_time, gate->min_time, sample_rate);
        const bool full = gate->gain > 1.0;
        if (full)
            gate->gain = 1.0;
        next = !loud ? gate->state_closing : full ? gate->state_open : was;
    }
    else if (was == gate->state_closing)
    {
        gate->gain -= ramp_per_frame(gate->release_time, gate->min_time, sample_rate);
        const bool silent = !(gate->gain >= 0.0);
        if (silent)
            gate->gain = 0.0;
        next = loud ? gate->state_opening : silent ? gate->state_closed : was;
    }
    gate->state = next;
    return static_cast<float>(static_cast<double>(s) * gate->gain);
}

} // namespace ferrulith::literal
