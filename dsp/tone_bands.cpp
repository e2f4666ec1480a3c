#include "dsp/patch_internal.h"

#include <cmath>
#include <cstring>

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

void patch_set_coef(patch_coef_memo_t* memo, patch_band_t* band, float sample_rate, double period)
{
    const uint64_t rate_and_freq =
        (uint64_t{patch_float_bits(sample_rate)} << 32) | patch_float_bits(band->freq);
    uint64_t pi;
    memcpy(&pi, &band->pi, sizeof pi);
    if (memo->held == 0 || memo->rate_and_freq != rate_and_freq || memo->pi != pi)
    {
        memo->coef = patch_band_coef(band, period);
        memo->rate_and_freq = rate_and_freq;
        memo->pi = pi;
        memo->held = 1;
    }
    band->coef = memo->coef;
}
