// The per-sample step as a caller sees it: output timing, bypass, bounded
// parameters and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "dsp/patch.h"
#include "float_bits.h"
#include "patch_ptr.h"

namespace
{

using ferrulith::test::PatchPtr;

// A deterministic noisy test signal, different on each channel.
struct Noise
{
    uint32_t state = 12345u;
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int32_t>(state)) * (0.8f / 2147483648.0f);
    }
};

void step(patch_t* patch, float left, float right)
{
    const float frame[2] = {left, right};
    patch_process_sample(patch, frame);
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

TEST(OutputTiming, FirstOutputIsSilentThenFollowsThePreviousFrameMix)
{
    PatchPtr patch(patch_create(44100.0f));
    Noise noise;
    step(patch.get(), 0.9f, -0.9f);
    EXPECT_SAME_FLOAT(0.0f, patch->out_l->value);
    EXPECT_SAME_FLOAT(0.0f, patch->out_r->value);
    for (int n = 0; n < 3000; ++n)
    {
        const float sat_l = patch->wire.sat_l;
        const float sat_r = patch->wire.sat_r;
        step(patch.get(), noise.next(), noise.next());
        ASSERT_SAME_FLOAT(sat_l * 0.5f, patch->out_l->value);
        ASSERT_SAME_FLOAT(0.5f * sat_r, patch->out_r->value);
    }
    EXPECT_NE(0.0f, patch->out_l->value);
}

TEST(OutputTiming, VolumeActsInTheSameFrameOnTheOlderSignal)
{
    PatchPtr patch(patch_create(48000.0f));
    Noise noise;
    for (int n = 0; n < 2000; ++n)
        step(patch.get(), noise.next(), noise.next());
    const float sat_l = patch->wire.sat_l;
    patch->p_volume->value = 0.0f;
    step(patch.get(), 0.5f, 0.5f);
    EXPECT_EQ(0.0f, patch->out_l->value); // a negative mix gives -0.0
    EXPECT_EQ(0.0f, patch->out_r->value);
    patch->p_volume->value = 1.0f;
    const float sat_l2 = patch->wire.sat_l;
    step(patch.get(), 0.5f, 0.5f);
    EXPECT_SAME_FLOAT(sat_l2, patch->out_l->value);
    EXPECT_NE(bits_of(sat_l), bits_of(sat_l2));
}

TEST(OutputTiming, StartingGainsComeFromTheIntegerPartsOfTheFactors)
{
    PatchPtr patch(patch_create(44100.0f));
    step(patch.get(), 0.0f, 0.0f);
    EXPECT_SAME_FLOAT(8.0f, patch->wire.drive_gain);
    EXPECT_SAME_FLOAT(11.5900002f, patch->wire.boost_gain);
    EXPECT_SAME_FLOAT(0.5f, patch->wire.volume_gain);
    // A fractional factor acts through its integer part only.
    patch->drive_factor = 20.9f;
    patch->boost_factor = -1.5f;
    step(patch.get(), 0.0f, 0.0f);
    EXPECT_SAME_FLOAT(8.0f, patch->wire.drive_gain);
    EXPECT_SAME_FLOAT(-0.610000014f, patch->wire.boost_gain);
}

TEST(Bypass, CopiesInputBitForBitWhileTheStateKeepsRunning)
{
    PatchPtr bypassed(patch_create(44100.0f));
    PatchPtr live(patch_create(44100.0f));
    bypassed->bypass = 1;
    Noise noise;
    const float odd[4] = {-0.0f, 1.0e-40f, kNaN, -kInf};
    for (int n = 0; n < 1500; ++n)
    {
        const float left = n < 4 ? odd[n] : noise.next();
        const float right = noise.next();
        step(bypassed.get(), left, right);
        step(live.get(), left, right);
        ASSERT_EQ(bits_of(left), bits_of(bypassed->out_l->value)) << n;
        ASSERT_EQ(bits_of(right), bits_of(bypassed->out_r->value)) << n;
    }
    EXPECT_EQ(0, memcmp(&bypassed->wire, &live->wire, sizeof(patch_wire_t)));
    EXPECT_SAME_FLOAT(live->gate_l.gain, bypassed->gate_l.gain);

    // Back from bypass: the first output is the mix of the last bypassed frame.
    bypassed->bypass = 0;
    step(bypassed.get(), 0.1f, 0.1f);
    step(live.get(), 0.1f, 0.1f);
    EXPECT_SAME_FLOAT(live->out_l->value, bypassed->out_l->value);
    EXPECT_SAME_FLOAT(live->out_r->value, bypassed->out_r->value);
    EXPECT_NE(0.0f, bypassed->out_l->value);
}

TEST(Bypass, AnyNonZeroFlagBypasses)
{
    PatchPtr patch(patch_create(44100.0f));
    patch->bypass = 0x80;
    step(patch.get(), 0.25f, -0.125f);
    EXPECT_SAME_FLOAT(0.25f, patch->out_l->value);
    EXPECT_SAME_FLOAT(-0.125f, patch->out_r->value);
}

TEST(HostileInput, NaNAndInfiniteSamplesAreShapedIntoRange)
{
    PatchPtr patch(patch_create(44100.0f));
    step(patch.get(), kNaN, kInf);
    EXPECT_SAME_FLOAT(0.99999f, patch->wire.shaped_l);
    EXPECT_SAME_FLOAT(0.999989986f, patch->wire.shaped_r);
    EXPECT_TRUE(std::isnan(patch->in_l->value)); // the input record keeps it as given
    step(patch.get(), -kInf, kNaN);
    EXPECT_SAME_FLOAT(-0.99999f, patch->wire.shaped_l);
    EXPECT_SAME_FLOAT(0.99999f, patch->wire.shaped_r);
    for (int n = 0; n < 2000; ++n)
    {
        step(patch.get(), n % 2 ? kNaN : -kInf, n % 3 ? kInf : kNaN);
        ASSERT_TRUE(std::isfinite(patch->out_l->value));
        ASSERT_TRUE(std::isfinite(patch->out_r->value));
        ASSERT_LE(std::fabs(patch->out_l->value), 1.0f);
    }
    EXPECT_TRUE(std::isfinite(patch->gate_l.gain));
    EXPECT_TRUE(std::isfinite(patch->filter_l.b4));
    EXPECT_TRUE(std::isfinite(patch->hi_r.y[3]));
}

TEST(HostileInput, ParameterValuesAreForcedIntoRangeAndStaySo)
{
    PatchPtr patch(patch_create(44100.0f));
    patch->p_preamp->value = kNaN;
    patch->p_noise->value = -kInf;
    patch->p_volume->value = kInf;
    patch->p_lo->value = -3.0f;
    patch->p_res->value = 0.0f;
    patch->p_cut->value = 0.7f;
    patch->p_hi->value = kNaN;
    patch->p_boost->value = -0.0f;
    step(patch.get(), 0.5f, 0.5f);
    EXPECT_SAME_FLOAT(1.0f, patch->p_preamp->value);
    EXPECT_SAME_FLOAT(0.0f, patch->p_noise->value);
    EXPECT_SAME_FLOAT(1.0f, patch->p_volume->value);
    EXPECT_SAME_FLOAT(-1.0f, patch->p_lo->value);
    EXPECT_SAME_FLOAT(0.1f, patch->p_res->value);
    EXPECT_SAME_FLOAT(0.6f, patch->p_cut->value);
    EXPECT_SAME_FLOAT(1.0f, patch->p_hi->value);
    EXPECT_SAME_FLOAT(-0.0f, patch->p_boost->value); // within range: left as it is
    EXPECT_SAME_FLOAT(20.0f, patch->wire.drive_gain);
    EXPECT_SAME_FLOAT(10.0f, patch->wire.hi_db);
    for (int n = 0; n < 1000; ++n)
    {
        step(patch.get(), 0.5f, -0.5f);
        ASSERT_TRUE(std::isfinite(patch->out_l->value));
    }
}

TEST(HostileInput, IntegerParametersAreTruncatedTowardZero)
{
    PatchPtr patch(patch_create(44100.0f));
    patch_param_t* p = patch->p_lo;
    p->min = -5.0f;
    p->max = 5.0f;
    p->is_integer = 1;
    const float in[6] = {2.9f, -2.9f, 0.7f, -0.7f, 7.5f, kNaN};
    const float out[6] = {2.0f, -2.0f, 0.0f, -0.0f, 5.0f, 5.0f};
    for (int i = 0; i < 6; ++i)
    {
        p->value = in[i];
        step(patch.get(), 0.0f, 0.0f);
        EXPECT_EQ(out[i], p->value) << in[i];
    }
    p->is_integer = 2; // only exactly 1 means integer
    p->value = 2.9f;
    step(patch.get(), 0.0f, 0.0f);
    EXPECT_SAME_FLOAT(2.9f, p->value);
}

TEST(ChannelSeparation, LeftSignalLeavesTheRightOutputAsSilenceWould)
{
    PatchPtr mono(patch_create(48000.0f));
    PatchPtr silent(patch_create(48000.0f));
    mono->p_noise->value = 0.0f;
    silent->p_noise->value = 0.0f;
    Noise noise;
    for (int n = 0; n < 3000; ++n)
    {
        step(mono.get(), noise.next(), 0.0f);
        step(silent.get(), 0.0f, 0.0f);
        ASSERT_SAME_FLOAT(silent->out_r->value, mono->out_r->value) << n;
    }
    EXPECT_NE(bits_of(silent->out_l->value), bits_of(mono->out_l->value));
}
