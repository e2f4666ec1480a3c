// Tone bands and resonant filter: coefficients and gains at known settings, in
// the widths that make them bit-exact, and the shape of each path's response.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dsp/patch.h"
#include "dsp/patch_internal.h"
#include "float_bits.h"
#include "patch_ptr.h"

namespace
{

using ferrulith::test::PatchPtr;

PatchPtr stepped_patch(float rate, float lo, float hi)
{
    PatchPtr patch(patch_create(rate));
    patch->p_lo->value = lo;
    patch->p_hi->value = hi;
    const float silence[2] = {0.0f, 0.0f};
    patch_process_sample(patch.get(), silence);
    return patch;
}

} // namespace

TEST(BandCoefficients, AreTwiceA32BitSineAtEachRate)
{
    struct Case
    {
        float rate;
        float lo_coef;
        float hi_coef;
    };
    for (const Case c :
         {Case{44100.0f, 0.125296652f, 0.697411180f}, Case{48000.0f, 0.115128055f, 0.642878950f}})
    {
        PatchPtr patch = stepped_patch(c.rate, 0.3f, -0.62f);
        // Widened from 32 bits: a coefficient kept in full 64-bit precision differs.
        EXPECT_SAME_FLOAT(static_cast<double>(c.lo_coef), patch->lo_r.coef) << c.rate;
        EXPECT_SAME_FLOAT(static_cast<double>(c.lo_coef), patch->lo_l.coef);
        EXPECT_SAME_FLOAT(static_cast<double>(c.hi_coef), patch->hi_r.coef);
        EXPECT_SAME_FLOAT(static_cast<double>(c.hi_coef), patch->hi_l.coef);
    }
}

TEST(BandGains, MatchTheDecibelSettingsInBothChannels)
{
    struct Case
    {
        float value;
        float gain;
    };
    for (const Case c : {Case{0.0f, 1.0f}, Case{1.0f, 3.1622777f}, Case{-1.0f, 0.316227764f}})
    {
        PatchPtr patch = stepped_patch(44100.0f, c.value, c.value);
        EXPECT_SAME_FLOAT(static_cast<double>(c.gain), patch->lo_r.gain) << c.value;
        EXPECT_SAME_FLOAT(static_cast<double>(c.gain), patch->lo_l.gain);
        EXPECT_SAME_FLOAT(static_cast<double>(c.gain), patch->hi_r.gain);
        EXPECT_SAME_FLOAT(static_cast<double>(c.gain), patch->hi_l.gain);
    }
    PatchPtr start = stepped_patch(44100.0f, 0.3f, -0.62f);
    EXPECT_SAME_FLOAT(-6.19999981f, start->wire.hi_db);
    EXPECT_SAME_FLOAT(static_cast<double>(0.489778817f), start->hi_r.gain);
    EXPECT_SAME_FLOAT(3.0f, start->wire.lo_db);
}

TEST(BandGains, LowExponentIs32BitAndHighExponentIs64Bit)
{
    // At -0.999 the two exponent widths land on neighbouring 32-bit gains.
    PatchPtr patch = stepped_patch(44100.0f, -0.999f, -0.999f);
    EXPECT_SAME_FLOAT(-9.98999977f, patch->wire.lo_db);
    EXPECT_SAME_FLOAT(static_cast<double>(0.316592038f), patch->lo_r.gain);
    EXPECT_SAME_FLOAT(static_cast<double>(0.316592067f), patch->hi_r.gain);
}

TEST(BandStages, SilenceSettlesAtTheOffsetOverTheCoefficient)
{
    PatchPtr patch(patch_create(44100.0f));
    patch->p_preamp->value = 0.0f; // nothing of the input gets through the drive
    const float silence[2] = {0.0f, 0.0f};
    for (int i = 0; i < 20000; ++i)
        patch_process_sample(patch.get(), silence);
    EXPECT_NEAR(1.86e-09, patch->lo_l.y[3], 0.01e-09);
    EXPECT_NEAR(3.34e-10, patch->hi_r.y[3], 0.01e-10);
    EXPECT_GT(patch->wire.lo_r_out, 0.0f);
    EXPECT_LT(patch->wire.hi_r_out, 0.0f);
}

TEST(BandStages, HighBandSeesAnImpulseThreeFramesLater)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_band_t* band = &patch->hi_l;
    band->coef = 0.0; // no low-pass at all: the output is the delayed input
    band->gain = 2.0;
    const float in[6] = {0.0f, 0.75f, 0.0f, 0.0f, 0.0f, 0.0f};
    float out[6];
    for (int n = 0; n < 6; ++n)
        out[n] = patch_high_band_run(band, in[n]);
    EXPECT_SAME_FLOAT(0.0f, out[1]);
    EXPECT_SAME_FLOAT(0.0f, out[3]);
    EXPECT_SAME_FLOAT(1.5f, out[4]);
    EXPECT_SAME_FLOAT(0.0f, out[5]);
}

TEST(ResonantFilter, CubicClipUsesItsOwnConstantNotOneSixth)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_filter_t* filter = &patch->filter_l;
    // Cut 0 and no resonance: every stage holds, only the clip acts on b4.
    patch_filter_tune(filter, 0.0f, 0.0f);
    EXPECT_SAME_FLOAT(0.0f, filter->p);
    EXPECT_SAME_FLOAT(-1.0f, filter->k);
    filter->b3 = 0.25f;
    filter->b4 = 1.0f;
    const float band_pass = patch_filter_run(filter, 0.5f);
    EXPECT_SAME_FLOAT(0.833333015f, filter->b4);
    EXPECT_SAME_FLOAT(0.25f, filter->b3);
    // The path's output is the band-pass 3 (b3 - b4), not the low-pass b4.
    EXPECT_SAME_FLOAT((0.25f - 0.833333015f) * 3.0f, band_pass);
    EXPECT_SAME_FLOAT(0.5f, filter->b0);
}

TEST(ResonantFilter, TuningFollowsCutAndResInBothChannels)
{
    PatchPtr patch(patch_create(44100.0f));
    patch->p_cut->value = 0.6f;
    patch->p_res->value = 0.6f;
    const float frame[2] = {0.2f, -0.2f};
    patch_process_sample(patch.get(), frame);
    EXPECT_SAME_FLOAT(0.180000007f, patch->filter_r.f);
    EXPECT_SAME_FLOAT(0.540000021f, patch->filter_r.r);
    EXPECT_EQ(0, memcmp(&patch->filter_r, &patch->filter_l, 5 * sizeof(float)));

    patch->p_cut->value = 0.0f;
    patch_process_sample(patch.get(), frame);
    EXPECT_SAME_FLOAT(0.0f, patch->filter_l.f);
    EXPECT_SAME_FLOAT(-1.0f, patch->filter_l.k);
}

TEST(ResonantFilter, ClosedCutoffKeepsAClearedFilterSilent)
{
    PatchPtr patch(patch_create(48000.0f));
    patch->p_cut->value = 0.0f;
    patch->p_noise->value = 0.0f;
    for (int i = 0; i < 2000; ++i)
    {
        const float frame[2] = {0.5f, -0.5f};
        patch_process_sample(patch.get(), frame);
        EXPECT_SAME_FLOAT(0.0f, patch->wire.bp_l_out);
        EXPECT_SAME_FLOAT(0.0f, patch->wire.bp_r_out);
    }
}
