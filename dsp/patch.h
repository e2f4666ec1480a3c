// Ferrulith's signal-processing patch: plain records and free functions.
//
// One patch holds everything one stereo effect instance needs. Build it with
// patch_create for a sample rate, write parameter values and the bypass flag
// directly in its records, feed it one frame at a time with
// patch_process_sample (or a whole block with patch_process_block), read the
// results from out_l and out_r, and free it with patch_destroy.
//
// Some of what the records carry is there for the engine's interface only
// and nothing in the plug-in reads it: the names and descriptions of
// endpoints and parameters, the parameters' flags and user words, the patch
// name, the aux block, extra_flag, the wire slots zero_a and zero_b, mixer
// weight 2, and the property and resource arrays (the look-ups in
// dsp/interface_only read those; the plug-in's patches have none).
//
// Float widths in these records are part of the sound: signals, parameter
// values and the resonant filters are 32-bit; gate gains and the tone-band
// stages are 64-bit.
#pragma once

#include <cstdint>

#include "dsp/patch_utility.h"

enum
{
    PATCH_NAME_LEN = 50,
    PATCH_DESCRIPTION_LEN = 102,
    PATCH_TITLE_LEN = 512,
    PATCH_GATE_WINDOW_LEN = 256,
};

enum
{
    PATCH_GATE_CLOSED = 0,
    PATCH_GATE_OPENING = 1,
    PATCH_GATE_OPEN = 2,
    PATCH_GATE_CLOSING = 3,
};

// One audio input or output.
struct patch_endpoint_t
{
    char name[PATCH_NAME_LEN];
    char description[PATCH_DESCRIPTION_LEN];
    float value; // the current sample
};

// One parameter in plain units.
struct patch_param_t
{
    char name[PATCH_NAME_LEN]; // the parameter key
    char description[PATCH_DESCRIPTION_LEN];
    float min;
    float max;
    float value; // forced into [min, max] by every step
    float default_value;
    int32_t is_integer; // exactly 1: every step truncates value toward zero
    int32_t flags;
    int64_t user;
};

// One text property of a patch.
struct patch_property_t
{
    char key[256];
    char value[256];
};

// One data resource of a patch.
struct patch_resource_t
{
    int32_t id;
    unsigned char spare[257];
    char name[259];
    int32_t size;
};

// One noise gate: a ring of the last shaped samples and a ramped gain.
struct patch_gate_t
{
    double gain; // 0 to 1; 64-bit so the slow release ramp does not stall
    int32_t window_len;
    int32_t window_pos; // next write index into window
    float* window;      // owned, window_len floats
    // The state machine compares and assigns through these fields.
    int32_t state_closed;
    int32_t state_opening;
    int32_t state_open;
    int32_t state_closing;
    int32_t state;
    float min_time; // floor of both ramp times, seconds
    float attack_time;
    float attack_param;
    float release_time;
};

// One four-stage resonant ladder filter, all 32-bit.
struct patch_filter_t
{
    float f; // frequency coefficient
    float r; // resonance
    float k;
    float p;
    float q;
    float b0; // previous feedback-corrected input
    float b1;
    float b2;
    float b3;
    float b4; // last stage, after the cubic clip
    float t_b3;
    float t_b2;
};

// One tone band: four cascaded one-pole low-pass stages in 64-bit. The high
// bands also use the delay line; the low bands leave it at zero.
struct patch_band_t
{
    double coef;
    double y[4];
    float delay[3]; // last three inputs, newest first
    double gain;
    double offset; // keeps the stages off denormals in silence
    double pi;
    float freq; // corner frequency, Hz
};

// Interface only: nothing in the plug-in reads it.
struct patch_aux_t
{
    int32_t words[2];
    void* buffers[2]; // owned, freed by patch_destroy when not null
};

// The intermediate signals of one frame. Only sat_l and sat_r carry over from
// one frame to the next; every other slot is written before it is read.
struct patch_wire_t
{
    float volume_gain;
    float sat_l;
    float sat_r;
    float drive_gain;
    float lo_r_out;
    float bp_r_out;
    float hi_r_out;
    float lo_l_out;
    float bp_l_out;
    float hi_l_out;
    float mix_l;
    float mix_r;
    float boosted_r;
    float boosted_l;
    float shaped_l;
    float gated_l;
    float shaped_r;
    float gated_r;
    float boost_gain;
    float driven_l;
    float driven_r;
    float pre_l;
    float pre_r;
    float boost_in_l;
    float boost_in_r;
    float gate_level;
    float lo_db;
    float hi_db;
    float zero_a; // no signal: holds 0.0
    float zero_b; // no signal: holds 0.0
    float cut_value;
    float res_value;
};

// The exact magnitude sum of one gate ring, kept up to date entry by entry so
// the gate need not add all of it again every frame. Regular entries, those
// with 2^-22 <= |v| < 1, are multiples of 2^-45, and any 256 of them sum to
// less than 2^53 such units: an integer holds their sum exactly.
struct patch_ring_sum_t
{
    int64_t units; // sum of the regular magnitudes, in units of 2^-45
    int32_t tiny;  // entries with 0 < |v| < 2^-22
    int32_t wild;  // entries with |v| >= 1, infinite or NaN
};

// A value derived from inputs that rarely change, with the exact bit pattern
// of those inputs. A zero key means nothing is held yet.
struct patch_memo_t
{
    uint64_t key;
    double value;
};

// A band coefficient with the sample rate, corner frequency and pi it came from.
struct patch_coef_memo_t
{
    uint64_t rate_and_freq;
    uint64_t pi;
    double coef;
    int32_t held; // zero: nothing held yet
};

// What the step keeps between frames so it need not redo work whose inputs
// have not changed. The engine's own: nothing outside it reads or writes it.
struct patch_step_cache_t
{
    patch_ring_sum_t sum_l;
    patch_ring_sum_t sum_r;
    patch_memo_t inv_rate; // of sample_rate
    patch_memo_t lo_gain;  // of lo_db
    patch_memo_t hi_gain;  // of hi_db
    patch_coef_memo_t coef_lo_r;
    patch_coef_memo_t coef_hi_r;
    patch_coef_memo_t coef_lo_l;
    patch_coef_memo_t coef_hi_l;
};

struct patch_t
{
    float sample_rate;
    uint8_t bypass; // non-zero: outputs carry the same frame's input
    char* name;
    patch_endpoint_t** inputs;
    int32_t input_count;
    patch_endpoint_t** outputs;
    int32_t output_count;
    patch_param_t** params;
    int32_t param_count;
    patch_resource_t** resources;
    int32_t resource_count;
    patch_property_t** properties;
    int32_t property_count;
    patch_aux_t* aux;
    patch_wire_t wire;
    // Each factor acts through its integer part only.
    float drive_factor;
    float volume_factor;
    patch_filter_t filter_r;
    patch_band_t lo_r;
    patch_band_t hi_r;
    patch_band_t lo_l;
    patch_band_t hi_l;
    patch_filter_t filter_l;
    float mix_l_weight[4]; // low, band-pass, unused, high
    float mix_r_weight[4];
    patch_gate_t gate_l;
    patch_gate_t gate_r;
    float boost_factor;
    float noise_factor;
    float lo_factor;
    float hi_factor;
    float cut_factor;
    float res_factor;
    // Aliases of array entries; they own nothing.
    patch_endpoint_t* in_l;
    patch_endpoint_t* in_r;
    patch_endpoint_t* out_l;
    patch_endpoint_t* out_r;
    patch_param_t* p_preamp;
    patch_param_t* p_noise;
    patch_param_t* p_volume;
    patch_param_t* p_lo;
    patch_param_t* p_res;
    patch_param_t* p_cut;
    patch_param_t* p_hi;
    patch_param_t* p_boost;
    uint8_t extra_flag;       // interface only: read by nothing
    patch_step_cache_t cache; // zero when built
};

// Builds a patch for a sample rate in Hz, ready to step. Returns null, having
// freed whatever it had taken, when memory runs out.
patch_t* patch_create(float sample_rate);

// Frees the patch and everything it owns. Null is ignored.
void patch_destroy(patch_t* patch);

// count zero-filled floats (or 32-bit words), or null when they cannot be had.
float* patch_alloc_floats(int32_t count);
int32_t* patch_alloc_words(int32_t count);

// Processes one stereo frame: frame[0] left, frame[1] right. The results are
// the values of patch->out_l and patch->out_r; they lag the input by one frame
// unless bypass is set. Allocates nothing. The gate windows and the cache are
// the step's own: a patch whose window was written from outside must not be
// stepped again.
void patch_process_sample(patch_t* patch, const float* frame);

// Processes frames stereo frames, in_l[i] and in_r[i] being frame i: the same,
// bit for bit in every output sample and in everything left in the patch, as
// frames calls of patch_process_sample, each followed by out_l[i] = the value
// of out_l and out_r[i] = that of out_r. Much faster than those calls. A null
// input reads as silence and a null output is not written; an output may be
// the same buffer as an input, but must not overlap one otherwise. Allocates
// nothing.
void patch_process_block(patch_t* patch, const float* in_l, const float* in_r, float* out_l,
                         float* out_r, int32_t frames);
