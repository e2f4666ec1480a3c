// A new patch: the values it starts from, what it owns, and that it owns it
// alone; and the bit patterns the step keys what it remembers by.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "dsp/patch.h"
#include "float_bits.h"
#include "patch_ptr.h"

namespace
{

using ferrulith::test::PatchPtr;

PatchPtr make_patch(float rate)
{
    PatchPtr patch(patch_create(rate));
    EXPECT_NE(patch, nullptr);
    return patch;
}

} // namespace

TEST(NewPatch, NormalizedStartingValuesAreTheDefaultPresetBitForBit)
{
    // The "default" factory preset row, as the controller will hold it.
    const float default_row[8] = {0.4f, 0.599f, 0.5f, 0.65f, 0.40000004f, 0.5f, 0.19f, 0.61f};
    PatchPtr patch = make_patch(44100.0f);
    for (int i = 0; i < 8; ++i)
    {
        const patch_param_t* p = patch->params[i];
        const float normalized = (p->value - p->min) / (p->max - p->min);
        EXPECT_SAME_FLOAT(default_row[i], normalized) << "parameter " << i;
    }
}

TEST(NewPatch, ParameterRecordsCarryKeysRangesAndDefaults)
{
    struct Row
    {
        const char* name;
        float min, max, value, default_value;
    };
    const Row rows[8] = {
        {"preamp", 0.0f, 1.0f, 0.4f, 0.1f}, {"noise", 0.0f, 1.0f, 0.599f, 0.3f},
        {"volume", 0.0f, 1.0f, 0.5f, 0.5f}, {"lo", -1.0f, 1.0f, 0.3f, 0.0f},
        {"res", 0.1f, 0.6f, 0.3f, 0.3f},    {"cut", 0.0f, 0.6f, 0.3f, 0.3f},
        {"hi", -1.0f, 1.0f, -0.62f, 0.0f},  {"boost", 0.0f, 1.0f, 0.61f, 0.1f},
    };
    PatchPtr patch = make_patch(48000.0f);
    ASSERT_EQ(patch->param_count, 8);
    patch_param_t* shortcuts[8] = {patch->p_preamp, patch->p_noise, patch->p_volume,
                                   patch->p_lo,     patch->p_res,   patch->p_cut,
                                   patch->p_hi,     patch->p_boost};
    for (int i = 0; i < 8; ++i)
    {
        const patch_param_t* p = patch->params[i];
        EXPECT_EQ(shortcuts[i], p);
        EXPECT_STREQ(rows[i].name, p->name);
        EXPECT_STREQ("Value", p->description);
        EXPECT_SAME_FLOAT(rows[i].min, p->min);
        EXPECT_SAME_FLOAT(rows[i].max, p->max);
        EXPECT_SAME_FLOAT(rows[i].value, p->value);
        EXPECT_SAME_FLOAT(rows[i].default_value, p->default_value);
        EXPECT_EQ(0, p->is_integer);
        EXPECT_EQ(0, p->flags);
        EXPECT_EQ(0, p->user);
    }
}

TEST(NewPatch, EndpointsAndCountsAreInPlace)
{
    PatchPtr patch = make_patch(44100.0f);
    EXPECT_STREQ("ferrulith", patch->name);
    EXPECT_EQ(2, patch->input_count);
    EXPECT_EQ(2, patch->output_count);
    EXPECT_EQ(0, patch->resource_count);
    EXPECT_EQ(0, patch->property_count);
    EXPECT_EQ(patch->inputs[0], patch->in_l);
    EXPECT_EQ(patch->inputs[1], patch->in_r);
    EXPECT_EQ(patch->outputs[0], patch->out_l);
    EXPECT_EQ(patch->outputs[1], patch->out_r);
    EXPECT_STREQ("in", patch->in_l->name);
    EXPECT_STREQ("in5", patch->in_r->name);
    EXPECT_STREQ("out", patch->out_l->name);
    EXPECT_STREQ("out2", patch->out_r->name);
    EXPECT_STREQ("Input signal", patch->in_r->description);
    EXPECT_STREQ("Signal output", patch->out_l->description);
    EXPECT_EQ(0, patch->bypass);
    EXPECT_EQ(0, patch->extra_flag);
}

TEST(NewPatch, StateStartsClearedWithGatesClosed)
{
    PatchPtr patch = make_patch(44100.0f);
    const float* wire = reinterpret_cast<const float*>(&patch->wire);
    static_assert(sizeof(patch_wire_t) == 32 * sizeof(float), "32 wire slots");
    for (int i = 0; i < 32; ++i)
        EXPECT_SAME_FLOAT(0.0f, wire[i]) << "wire slot " << i;

    for (const patch_gate_t* gate : {&patch->gate_l, &patch->gate_r})
    {
        EXPECT_EQ(PATCH_GATE_CLOSED, gate->state);
        EXPECT_SAME_FLOAT(0.0, gate->gain);
        EXPECT_EQ(0, gate->window_pos);
        ASSERT_EQ(256, gate->window_len);
        for (int i = 0; i < 256; ++i)
            EXPECT_SAME_FLOAT(0.0f, gate->window[i]);
        EXPECT_SAME_FLOAT(5.20833328e-06f, gate->min_time);
        EXPECT_SAME_FLOAT(0.1f, gate->attack_param);
        EXPECT_SAME_FLOAT(0.5f, gate->release_time);
    }
    EXPECT_NE(patch->gate_l.window, patch->gate_r.window);

    const patch_band_t* bands[4] = {&patch->lo_r, &patch->hi_r, &patch->lo_l, &patch->hi_l};
    const float freqs[4] = {880.0f, 5000.0f, 880.0f, 5000.0f};
    for (int b = 0; b < 4; ++b)
    {
        for (double y : bands[b]->y)
            EXPECT_SAME_FLOAT(0.0, y);
        for (float d : bands[b]->delay)
            EXPECT_SAME_FLOAT(0.0f, d);
        EXPECT_SAME_FLOAT(freqs[b], bands[b]->freq);
        EXPECT_EQ(0x3DF0000000100000u, bits_of(bands[b]->offset));
        EXPECT_SAME_FLOAT(3.141592653589793, bands[b]->pi);
    }
    for (const patch_filter_t* f : {&patch->filter_l, &patch->filter_r})
    {
        const float* fields = reinterpret_cast<const float*>(f);
        for (int i = 0; i < 12; ++i)
            EXPECT_SAME_FLOAT(0.0f, fields[i]);
    }
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_SAME_FLOAT(1.0f, patch->mix_l_weight[i]);
        EXPECT_SAME_FLOAT(1.0f, patch->mix_r_weight[i]);
    }
    EXPECT_EQ(nullptr, patch->aux->buffers[0]);
    EXPECT_EQ(nullptr, patch->aux->buffers[1]);
}

TEST(NewPatch, SampleRateIsTheOnlyFieldThatDependsOnIt)
{
    PatchPtr a = make_patch(44100.0f);
    PatchPtr b = make_patch(96000.0f);
    EXPECT_SAME_FLOAT(44100.0f, a->sample_rate);
    EXPECT_SAME_FLOAT(96000.0f, b->sample_rate);
    EXPECT_SAME_FLOAT(a->drive_factor, b->drive_factor);
    EXPECT_SAME_FLOAT(a->boost_factor, b->boost_factor);
    EXPECT_EQ(0, memcmp(&a->gate_l.min_time, &b->gate_l.min_time, sizeof(float) * 4));
    EXPECT_EQ(0, memcmp(&a->lo_r, &b->lo_r, sizeof(patch_band_t)));
    EXPECT_EQ(0, memcmp(&a->wire, &b->wire, sizeof(patch_wire_t)));
}

TEST(TwoPatches, ShareNoMemoryAndNoState)
{
    PatchPtr a = make_patch(44100.0f);
    PatchPtr b = make_patch(44100.0f);
    PatchPtr alone = make_patch(44100.0f);

    // Drive only patch a hard, and patch b with silence; b must behave exactly
    // like a patch that never had a neighbour.
    a->p_preamp->value = 1.0f;
    a->bypass = 1;
    for (int n = 0; n < 600; ++n)
    {
        const float loud[2] = {0.9f, -0.9f};
        const float quiet[2] = {0.0f, 0.0f};
        patch_process_sample(a.get(), loud);
        patch_process_sample(b.get(), quiet);
        patch_process_sample(alone.get(), quiet);
        ASSERT_EQ(bits_of(alone->out_l->value), bits_of(b->out_l->value));
        ASSERT_EQ(bits_of(alone->out_r->value), bits_of(b->out_r->value));
    }
    EXPECT_EQ(PATCH_GATE_OPEN, a->gate_l.state);
    EXPECT_EQ(PATCH_GATE_CLOSED, b->gate_l.state);
    EXPECT_SAME_FLOAT(0.4f, b->p_preamp->value);
    EXPECT_EQ(0, b->bypass);
    EXPECT_NE(a->params[0], b->params[0]);
    EXPECT_NE(a->gate_r.window, b->gate_r.window);
}

TEST(Teardown, FreesEveryOwnedBlockIncludingAuxBuffers)
{
    // The sanitizer build reports anything this leaves behind.
    patch_t* patch = patch_create(48000.0f);
    ASSERT_NE(patch, nullptr);
    patch->aux->buffers[0] = malloc(16);
    patch->aux->buffers[1] = malloc(32);
    const float frame[2] = {0.25f, -0.25f};
    patch_process_sample(patch, frame);
    patch_destroy(patch);
    patch_destroy(nullptr);
}

TEST(ZeroFilledAllocators, ReturnZeroesOrNullForImpossibleCounts)
{
    float* floats = patch_alloc_floats(300);
    ASSERT_NE(floats, nullptr);
    for (int i = 0; i < 300; ++i)
        EXPECT_SAME_FLOAT(0.0f, floats[i]);
    free(floats);

    int32_t* words = patch_alloc_words(7);
    ASSERT_NE(words, nullptr);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(0, words[i]);
    free(words);

    EXPECT_EQ(nullptr, patch_alloc_floats(-1));
    EXPECT_EQ(nullptr, patch_alloc_words(-2147483647 - 1));
}

TEST(UtilityBits, FloatBitPatternsRoundTripUnchanged)
{
    EXPECT_EQ(0x3F800000u, patch_float_bits(1.0f));
    EXPECT_EQ(1.0f, patch_float_from_bits(0x3F800000u));
    const uint32_t signalling_nan = 0x7FA00001u;
    EXPECT_EQ(signalling_nan, patch_float_bits(patch_float_from_bits(signalling_nan)));
    EXPECT_EQ(0x80000000u, patch_float_bits(-0.0f));
}
