// Names the first field in which two patches differ, comparing bit patterns:
// every field a caller can read, every wire slot, every gate window entry. The
// step's private cache is not compared; it is checked through what it decides.
#pragma once

#include <cstring>
#include <string>

#include "dsp/patch.h"
#include "float_bits.h"

namespace ferrulith::test::patch_diff
{

struct Diff
{
    std::string first; // empty when the patches agree

    template <typename T> void same(const char* what, T a, T b)
    {
        if (first.empty() && bits_of(a) != bits_of(b))
            first = what;
    }
    void same_int(const char* what, long long a, long long b)
    {
        if (first.empty() && a != b)
            first = what;
    }
    void same_text(const char* what, const char* a, const char* b)
    {
        if (first.empty() && strcmp(a, b) != 0)
            first = what;
    }
};

inline void param(Diff& d, const patch_param_t& a, const patch_param_t& b)
{
    d.same_text("param name", a.name, b.name);
    d.same_text("param description", a.description, b.description);
    d.same("param min", a.min, b.min);
    d.same("param max", a.max, b.max);
    d.same("param value", a.value, b.value);
    d.same("param default_value", a.default_value, b.default_value);
    d.same_int("param is_integer", a.is_integer, b.is_integer);
    d.same_int("param flags", a.flags, b.flags);
    d.same_int("param user", a.user, b.user);
}

inline void gate(Diff& d, const patch_gate_t& a, const patch_gate_t& b)
{
    d.same("gate gain", a.gain, b.gain);
    d.same_int("gate window_len", a.window_len, b.window_len);
    d.same_int("gate window_pos", a.window_pos, b.window_pos);
    for (int i = 0; i < a.window_len && i < b.window_len; ++i)
        d.same("gate window entry", a.window[i], b.window[i]);
    d.same_int("gate state_closed", a.state_closed, b.state_closed);
    d.same_int("gate state_opening", a.state_opening, b.state_opening);
    d.same_int("gate state_open", a.state_open, b.state_open);
    d.same_int("gate state_closing", a.state_closing, b.state_closing);
    d.same_int("gate state", a.state, b.state);
    d.same("gate min_time", a.min_time, b.min_time);
    d.same("gate attack_time", a.attack_time, b.attack_time);
    d.same("gate attack_param", a.attack_param, b.attack_param);
    d.same("gate release_time", a.release_time, b.release_time);
}

inline void filter(Diff& d, const patch_filter_t& a, const patch_filter_t& b)
{
    const float* fa = &a.f;
    const float* fb = &b.f;
    static const char* const names[12] = {"filter f",  "filter r",  "filter k",    "filter p",
                                          "filter q",  "filter b0", "filter b1",   "filter b2",
                                          "filter b3", "filter b4", "filter t_b3", "filter t_b2"};
    static_assert(sizeof(patch_filter_t) == 12 * sizeof(float), "twelve floats");
    for (int i = 0; i < 12; ++i)
        d.same(names[i], fa[i], fb[i]);
}

inline void band(Diff& d, const patch_band_t& a, const patch_band_t& b)
{
    d.same("band coef", a.coef, b.coef);
    for (int i = 0; i < 4; ++i)
        d.same("band y", a.y[i], b.y[i]);
    for (int i = 0; i < 3; ++i)
        d.same("band delay", a.delay[i], b.delay[i]);
    d.same("band gain", a.gain, b.gain);
    d.same("band offset", a.offset, b.offset);
    d.same("band pi", a.pi, b.pi);
    d.same("band freq", a.freq, b.freq);
}

// The first differing field of a and b, or an empty string.
inline std::string first_difference(const patch_t& a, const patch_t& b)
{
    Diff d;
    d.same("sample_rate", a.sample_rate, b.sample_rate);
    d.same_int("bypass", a.bypass, b.bypass);
    d.same_text("name", a.name, b.name);
    d.same_int("input_count", a.input_count, b.input_count);
    d.same_int("output_count", a.output_count, b.output_count);
    d.same_int("param_count", a.param_count, b.param_count);
    d.same_int("resource_count", a.resource_count, b.resource_count);
    d.same_int("property_count", a.property_count, b.property_count);
    for (int i = 0; i < 2; ++i)
    {
        d.same("input value", a.inputs[i]->value, b.inputs[i]->value);
        d.same("output value", a.outputs[i]->value, b.outputs[i]->value);
    }
    for (int i = 0; i < 8; ++i)
        param(d, *a.params[i], *b.params[i]);
    d.same_int("aux words", a.aux->words[0] | a.aux->words[1], b.aux->words[0] | b.aux->words[1]);
    d.same_int("aux buffers", a.aux->buffers[0] || a.aux->buffers[1],
               b.aux->buffers[0] || b.aux->buffers[1]);

    static const char* const wires[32] = {
        "volume_gain", "sat_l",      "sat_r",    "drive_gain", "lo_r_out", "bp_r_out",
        "hi_r_out",    "lo_l_out",   "bp_l_out", "hi_l_out",   "mix_l",    "mix_r",
        "boosted_r",   "boosted_l",  "shaped_l", "gated_l",    "shaped_r", "gated_r",
        "boost_gain",  "driven_l",   "driven_r", "pre_l",      "pre_r",    "boost_in_l",
        "boost_in_r",  "gate_level", "lo_db",    "hi_db",      "zero_a",   "zero_b",
        "cut_value",   "res_value"};
    static_assert(sizeof(patch_wire_t) == 32 * sizeof(float), "32 slots");
    const float* wa = &a.wire.volume_gain;
    const float* wb = &b.wire.volume_gain;
    for (int i = 0; i < 32; ++i)
        d.same(wires[i], wa[i], wb[i]);

    d.same("drive_factor", a.drive_factor, b.drive_factor);
    d.same("volume_factor", a.volume_factor, b.volume_factor);
    filter(d, a.filter_r, b.filter_r);
    band(d, a.lo_r, b.lo_r);
    band(d, a.hi_r, b.hi_r);
    band(d, a.lo_l, b.lo_l);
    band(d, a.hi_l, b.hi_l);
    filter(d, a.filter_l, b.filter_l);
    for (int i = 0; i < 4; ++i)
    {
        d.same("mix_l_weight", a.mix_l_weight[i], b.mix_l_weight[i]);
        d.same("mix_r_weight", a.mix_r_weight[i], b.mix_r_weight[i]);
    }
    gate(d, a.gate_l, b.gate_l);
    gate(d, a.gate_r, b.gate_r);
    d.same("boost_factor", a.boost_factor, b.boost_factor);
    d.same("noise_factor", a.noise_factor, b.noise_factor);
    d.same("lo_factor", a.lo_factor, b.lo_factor);
    d.same("hi_factor", a.hi_factor, b.hi_factor);
    d.same("cut_factor", a.cut_factor, b.cut_factor);
    d.same("res_factor", a.res_factor, b.res_factor);
    d.same_int("extra_flag", a.extra_flag, b.extra_flag);
    return d.first;
}

} // namespace ferrulith::test::patch_diff
