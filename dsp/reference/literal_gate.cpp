#include "dsp/reference/literal_step.h"

#include <cmath>

namespace literal
{

namespace
{

// Linear ramp step per frame for a ramp time in seconds, in 32-bit.
float ramp_step(float time, float sample_rate)
{
    return 1.0f / (time * sample_rate);
}

} // namespace

float patch_gate_update(patch_gate_t* gate, float s, float level, float sample_rate)
{
    gate->attack_time = gate->attack_param * 0.1f;

    gate->window[gate->window_pos] = s;
    gate->window_pos = (gate->window_pos + 1) % gate->window_len;

    // Summed afresh every frame in 64-bit, so no drift can build up.
    double sum = 0.0;
    for (int32_t i = 0; i < gate->window_len; ++i)
        sum += static_cast<double>(::fabsf(gate->window[i]));

    const double threshold = static_cast<double>(level * 3.0f);
    const bool above = sum > threshold;

    if (gate->state == gate->state_closed)
    {
        if (above)
            gate->state = gate->state_opening;
        gate->gain = 0.0;
    }
    else if (gate->state == gate->state_open)
    {
        if (!above)
            gate->state = gate->state_closing;
        gate->gain = 1.0;
    }
    else if (gate->state == gate->state_opening)
    {
        float time = gate->attack_time;
        if (!(time >= gate->min_time))
        {
            time = gate->min_time;
            gate->attack_time = gate->min_time;
        }
        gate->gain = gate->gain + static_cast<double>(ramp_step(time, sample_rate));
        if (gate->gain > 1.0)
        {
            gate->gain = 1.0;
            gate->state = gate->state_open;
        }
        if (!above)
            gate->state = gate->state_closing;
    }
    else if (gate->state == gate->state_closing)
    {
        float time = gate->release_time;
        if (!(time >= gate->min_time))
        {
            time = gate->min_time;
            gate->release_time = gate->min_time;
        }
        gate->gain = gate->gain - static_cast<double>(ramp_step(time, sample_rate));
        if (!(gate->gain >= 0.0))
        {
            gate->gain = 0.0;
            gate->state = gate->state_closed;
        }
        if (above)
            gate->state = gate->state_opening;
    }

    return static_cast<float>(static_cast<double>(s) * gate->gain);
}

} // namespace literal
