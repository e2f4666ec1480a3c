#include "dsp/reference/literal_step.h"

#include <cmath>

namespace literal
{

double patch_lo_gain(float lo_db)
{
    // Exponent multiplied in 32-bit; the high gain does it in 64-bit, so the
    // two can differ in the last bit for the same setting.
    const double exponent = static_cast<double>(lo_db * 0.05f);
    return static_cast<double>(static_cast<float>(::pow(10.0, exponent)));
}

double patch_hi_gain(float hi_db)
{
    const double exponent = static_cast<double>(hi_db) * 0.05;
    return static_cast<double>(static_cast<float>(::pow(10.0, exponent)));
}

double patch_band_coef(const patch_band_t* band, double inv_rate)
{
    const double arg = (static_cast<double>(band->freq) * inv_rate) * band->pi;
    const float s = static_cast<float>(::sin(arg));
    return static_cast<double>(s + s);
}

namespace
{

// Four cascaded one-pole low-pass stages; returns the last stage's output.
double run_stages(patch_band_t* band, double x)
{
    const double c = band->coef;
    band->y[0] = ((x - band->y[0]) * c + band->offset) + band->y[0];
    band->y[1] = (band->y[0] - band->y[1]) * c + band->y[1];
    band->y[2] = (band->y[1] - band->y[2]) * c + band->y[2];
    band->y[3] = (band->y[2] - band->y[3]) * c + band->y[3];
    return band->y[3];
}

} // namespace

float patch_low_band_run(patch_band_t* band, float x)
{
    const double low = run_stages(band, static_cast<double>(x));
    return static_cast<float>(low * band->gain);
}

float patch_high_band_run(patch_band_t* band, float x)
{
    const double low = run_stages(band, static_cast<double>(x));
    const float out = static_cast<float>((static_cast<double>(band->delay[2]) - low) * band->gain);
    band->delay[2] = band->delay[1];
    band->delay[1] = band->delay[0];
    band->delay[0] = x;
    return out;
}

} // namespace literal
