// Four-stage resonant ladder with feedback and a cubic clip on the last stage,
// all in 32-bit float.
#include "dsp/reference/literal_step.h"

namespace literal
{

void patch_filter_tune(patch_filter_t* filter, float f, float r)
{
    const float g = 1.0f - f;
    const float p = f * 0.8f * g + f;
    const float k = 2.0f * p - 1.0f;
    const float q = ((g * 5.6f * g + f) * g * 0.5f + 1.0f) * r;
    filter->f = f;
    filter->r = r;
    filter->p = p;
    filter->k = k;
    filter->q = q;
}

float patch_filter_run(patch_filter_t* filter, float x_in)
{
    const float p = filter->p;
    const float k = filter->k;
    const float x = x_in - filter->q * filter->b4;

    filter->t_b2 = filter->b2;
    filter->t_b3 = filter->b3;

    const float b1 = (x + filter->b0) * p - filter->b1 * k;
    const float b2 = (filter->b1 + b1) * p - filter->b2 * k;
    const float b3 = (filter->b2 + b2) * p - filter->b3 * k;
    const float b4 = (filter->b3 + b3) * p - filter->b4 * k;
    // 0.166667, deliberately not the float nearest 1/6.
    const float clipped = b4 - (b4 * b4) * (b4 * 0.166667f);

    filter->b0 = x;
    filter->b1 = b1;
    filter->b2 = b2;
    filter->b3 = b3;
    filter->b4 = clipped;
    return (b3 - clipped) * 3.0f;
}

} // namespace literal
