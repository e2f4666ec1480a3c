// The block routine's work after its set-up (dsp/process_block.cpp): the
// chunks of a block worked stage by stage, the tanh stages as vectors of lanes
// L. Each vector path's file instantiates it with its own lanes, built for its
// own instruction set, so everything here has internal linkage: no code built
// for one instruction set can be shared with another's.
#pragma once

#include <cstddef>
#include <cstring>

#include "dsp/frame_kernels.h"
#include "dsp/noise_gate.h"
#include "dsp/patch.h"
#include "dsp/tanh_kernel.h"
#include "dsp/vector_paths.h"

namespace
{

// Frames per chunk: few enough that a block of 64 frames has two, so the
// second one's gates share the first one's loop of filters; every signal of a
// chunk stays in the first-level cache.
constexpr int32_t kChunk = 32;

// One chunk of the block: n frames from start, each signal the left
// channel's n values, then the right one's.
struct Chunk
{
    int32_t start;
    int32_t n;
    float in[2 * kChunk];
    float shaped[2 * kChunk];
    float gated[2 * kChunk];
    float driven[2 * kChunk];
    float pre[2 * kChunk];
    float boost_in[2 * kChunk];
    float boosted[2 * kChunk];
    float mix[2 * kChunk];
    float sat[2 * kChunk];
};

// One out-of-line copy of the kernel serves every stage: inlined at each, its
// variants would crowd the processor's cache of decoded instructions.
template <class L> __attribute__((noinline)) typename L::F tanh_of(typename L::F x)
{
    return patch_tanh_kernel::tanh_vector<L>(x);
}

// tanh of x forced into [-1, 1]: min(t, 1) is t < 1 ? t : 1 and max(u, -1) is
// u > -1 ? u : -1, lane by lane, so a NaN ends at 1 as in the step.
template <class L> PATCH_TANH_INLINE typename L::F saturated(typename L::F x)
{
    return L::max(L::min(tanh_of<L>(x), L::f(1.0f)), L::f(-1.0f));
}

// A saturated sample kept away from exactly +-1, as the step's limit does.
template <class L> PATCH_TANH_INLINE typename L::F limit_shaped(typename L::F s)
{
    return L::max(L::min(s, L::f(0.99999f)), L::f(-0.99999f));
}

// For each vector of in, op(x, results) gives one vector for each of outs; a
// partial last vector goes through zero-padded copies.
template <class L, size_t kOuts, typename Op>
PATCH_TANH_INLINE void map_vectors(const float* in, int32_t count, float* const (&outs)[kOuts],
                                   Op op)
{
    using F = typename L::F;
    constexpr int32_t width = L::width;
    F results[kOuts];
    int32_t i = 0;
    for (; i + width <= count; i += width)
    {
        op(L::load(in + i), results);
        for (size_t k = 0; k < kOuts; ++k)
            L::store(outs[k] + i, results[k]);
    }
    if (i == count)
        return;
    float padded[width] = {};
    memcpy(padded, in + i, sizeof(float) * static_cast<size_t>(count - i));
    op(L::load(padded), results);
    for (size_t k = 0; k < kOuts; ++k)
    {
        L::store(padded, results[k]);
        memcpy(outs[k] + i, padded, sizeof(float) * static_cast<size_t>(count - i));
    }
}

// The gates' state, held apart from the patch so the compiler keeps it in
// registers instead of reloading it after every store.
struct GateState
{
    patch_gate_t gate_l;
    patch_gate_t gate_r;
    patch_ring_sum_t sum_l;
    patch_ring_sum_t sum_r;

    explicit GateState(const patch_t* patch)
        : gate_l(patch->gate_l), gate_r(patch->gate_r), sum_l(patch->cache.sum_l),
          sum_r(patch->cache.sum_r)
    {
    }

    void store(patch_t* patch) const
    {
        patch->gate_l = gate_l;
        patch->gate_r = gate_r;
        patch->cache.sum_l = sum_l;
        patch->cache.sum_r = sum_r;
    }
};

typedef float f32x4 __attribute__((vector_size(16)));
typedef double f64x2 __attribute__((vector_size(16)));

// Both channels' tone blocks side by side: the right channel's in lane 0, the
// left one's in lane 1, the other float lanes idle at zero. Each lane runs the
// operations of the block it stands for, in its width, so the lanes give the
// blocks' own bits with half the instructions.
struct PackedTone
{
    patch_ladder_t<f32x4> ladder;
    f32x4 t_b2;
    f32x4 t_b3;
    f32x4 p;
    f32x4 k;
    f32x4 q;
    f64x2 lo_y[4];
    f64x2 hi_y[4];
    f64x2 lo_coef;
    f64x2 hi_coef;
    f64x2 lo_offset;
    f64x2 hi_offset;
    f64x2 lo_gain;
    f64x2 hi_gain;
    f32x4 delay[3]; // the high bands' last inputs, newest first
    f32x4 w_lo;
    f32x4 w_bp;
    f32x4 w_hi;

    explicit PackedTone(const patch_t* patch)
    {
        const patch_filter_t& fr = patch->filter_r;
        const patch_filter_t& fl = patch->filter_l;
        ladder = {f32(fr.b0, fl.b0), f32(fr.b1, fl.b1), f32(fr.b2, fl.b2), f32(fr.b3, fl.b3),
                  f32(fr.b4, fl.b4)};
        t_b2 = f32(fr.t_b2, fl.t_b2);
        t_b3 = f32(fr.t_b3, fl.t_b3);
        p = f32(fr.p, fl.p);
        k = f32(fr.k, fl.k);
        q = f32(fr.q, fl.q);
        const patch_band_t& lr = patch->lo_r;
        const patch_band_t& ll = patch->lo_l;
        const patch_band_t& hr = patch->hi_r;
        const patch_band_t& hl = patch->hi_l;
        for (int i = 0; i < 4; ++i)
        {
            lo_y[i] = f64x2{lr.y[i], ll.y[i]};
            hi_y[i] = f64x2{hr.y[i], hl.y[i]};
        }
        lo_coef = f64x2{lr.coef, ll.coef};
        hi_coef = f64x2{hr.coef, hl.coef};
        lo_offset = f64x2{lr.offset, ll.offset};
        hi_offset = f64x2{hr.offset, hl.offset};
        lo_gain = f64x2{lr.gain, ll.gain};
        hi_gain = f64x2{hr.gain, hl.gain};
        for (int i = 0; i < 3; ++i)
            delay[i] = f32(hr.delay[i], hl.delay[i]);
        const float* wr = patch->mix_r_weight;
        const float* wl = patch->mix_l_weight;
        w_lo = f32(wr[0], wl[0]);
        w_bp = f32(wr[1], wl[1]);
        w_hi = f32(wr[3], wl[3]);
    }

    void store(patch_t* patch) const
    {
        store_filter(&patch->filter_r, 0);
        store_filter(&patch->filter_l, 1);
        store_band(&patch->lo_r, lo_y, 0);
        store_band(&patch->lo_l, lo_y, 1);
        store_band(&patch->hi_r, hi_y, 0);
        store_band(&patch->hi_l, hi_y, 1);
        for (int i = 0; i < 3; ++i)
        {
            patch->hi_r.delay[i] = delay[i][0];
            patch->hi_l.delay[i] = delay[i][1];
        }
    }

    static f32x4 f32(float right, float left) { return f32x4{right, left, 0.0f, 0.0f}; }

private:
    void store_filter(patch_filter_t* filter, int lane) const
    {
        filter->b0 = ladder.b0[lane];
        filter->b1 = ladder.b1[lane];
        filter->b2 = ladder.b2[lane];
        filter->b3 = ladder.b3[lane];
        filter->b4 = ladder.b4[lane];
        filter->t_b2 = t_b2[lane];
        filter->t_b3 = t_b3[lane];
    }

    static void store_band(patch_band_t* band, const f64x2* y, int lane)
    {
        for (int i = 0; i < 4; ++i)
            band->y[i] = y[i][lane];
    }
};

// The last frame's tone outputs, for the wire.
struct ToneOutputs
{
    float lo_r;
    float bp_r;
    float hi_r;
    float lo_l;
    float bp_l;
    float hi_l;
};

// One gate update of each channel, on frame i of c, with windows of len_l
// and len_r values.
inline void gates_frame(GateState& s, Chunk& c, int32_t i, float level, float sample_rate,
                        int32_t len_l, int32_t len_r)
{
    const int32_t n = c.n;
    c.gated[i] =
        patch_gate_update_sized(&s.gate_l, &s.sum_l, c.shaped[i], level, sample_rate, len_l);
    c.gated[n + i] =
        patch_gate_update_sized(&s.gate_r, &s.sum_r, c.shaped[n + i], level, sample_rate, len_r);
}

// Filters, bands and mixers of both channels on frame i of c.
inline void tone_frame(PackedTone& t, Chunk& c, int32_t i, ToneOutputs* last)
{
    const int32_t n = c.n;
    const float right = c.boosted[n + i];
    const float left = c.boosted[i];
    const f32x4 in = PackedTone::f32(right, left);
    t.t_b2 = t.ladder.b2;
    t.t_b3 = t.ladder.b3;
    const f32x4 bp = patch_ladder_run(t.ladder, in, t.p, t.k, t.q);

    const f64x2 x{static_cast<double>(right), static_cast<double>(left)};
    const f64x2 low = patch_band_stages(t.lo_y, x, t.lo_coef, t.lo_offset) * t.lo_gain;
    const f64x2 delayed{static_cast<double>(t.delay[2][0]), static_cast<double>(t.delay[2][1])};
    const f64x2 high = (delayed - patch_band_stages(t.hi_y, x, t.hi_coef, t.hi_offset)) * t.hi_gain;
    t.delay[2] = t.delay[1];
    t.delay[1] = t.delay[0];
    t.delay[0] = in;

    const f32x4 lo = PackedTone::f32(static_cast<float>(low[0]), static_cast<float>(low[1]));
    const f32x4 hi = PackedTone::f32(static_cast<float>(high[0]), static_cast<float>(high[1]));
    const f32x4 mix = patch_mix(t.w_lo, t.w_bp, t.w_hi, lo, bp, hi);
    c.mix[n + i] = mix[0];
    c.mix[i] = mix[1];
    *last = {lo[0], bp[0], hi[0], lo[1], bp[1], hi[1]};
}

// The whole block, stage by stage over chunks. The tone recurrences of one
// chunk and the gate recurrences of the next run in the same loop, so each
// fills the other's waits; everything else runs as vectors.
template <class L> class BlockRun
{
public:
    BlockRun(patch_t* patch, const patch_frame_gains_t& g)
        : patch(patch), g(g), bypass(patch->bypass != 0), sample_rate(patch->sample_rate),
          gates(patch), tone(patch), held_l(patch->wire.sat_l), held_r(patch->wire.sat_r)
    {
    }

    void run(const float* in_l, const float* in_r, float* out_l, float* out_r, int32_t frames)
    {
        // Windows of the length a patch is built with, the only one in
        // practice, advance without a division.
        constexpr int32_t kLen = PATCH_GATE_WINDOW_LEN;
        if (gates.gate_l.window_len == kLen && gates.gate_r.window_len == kLen)
            run_with<kLen>(in_l, in_r, out_l, out_r, frames);
        else
            run_with<0>(in_l, in_r, out_l, out_r, frames);
    }

    // What the step leaves behind after the last frame, c being the last chunk.
    void finish(const Chunk& c)
    {
        gates.store(patch);
        tone.store(patch);
        const int32_t l = c.n - 1;
        const int32_t r = 2 * c.n - 1;
        patch->inputs[0]->value = c.in[l];
        patch->inputs[1]->value = c.in[r];
        patch->outputs[0]->value = last_out_l;
        patch->outputs[1]->value = last_out_r;
        patch_wire_t& w = patch->wire;
        patch_store_gains(&w, g);
        w.lo_r_out = last.lo_r;
        w.bp_r_out = last.bp_r;
        w.hi_r_out = last.hi_r;
        w.lo_l_out = last.lo_l;
        w.bp_l_out = last.bp_l;
        w.hi_l_out = last.hi_l;
        w.mix_l = c.mix[l];
        w.mix_r = c.mix[r];
        w.boosted_r = c.boosted[r];
        w.boosted_l = c.boosted[l];
        w.shaped_l = c.shaped[l];
        w.gated_l = c.gated[l];
        w.shaped_r = c.shaped[r];
        w.gated_r = c.gated[r];
        w.driven_l = c.driven[l];
        w.driven_r = c.driven[r];
        w.pre_l = c.pre[l];
        w.pre_r = c.pre[r];
        w.boost_in_l = c.boost_in[l];
        w.boost_in_r = c.boost_in[r];
        w.sat_l = c.sat[l];
        w.sat_r = c.sat[r];
    }

private:
    // kFixedLen: both windows' length, or 0 to read it from the gates.
    template <int32_t kFixedLen>
    void run_with(const float* in_l, const float* in_r, float* out_l, float* out_r, int32_t frames)
    {
        const int32_t len_l = kFixedLen ? kFixedLen : gates.gate_l.window_len;
        const int32_t len_r = kFixedLen ? kFixedLen : gates.gate_r.window_len;
        Chunk* cur = &chunks[0];
        Chunk* next = &chunks[1];

        shape(*cur, 0, in_l, in_r, frames);
        for (int32_t i = 0; i < cur->n; ++i)
            gates_frame(gates, *cur, i, g.gate_level, sample_rate, len_l, len_r);
        drive(*cur);
        for (;;)
        {
            const int32_t next_start = cur->start + cur->n;
            const bool more = next_start < frames;
            int32_t both = 0;
            if (more)
            {
                shape(*next, next_start, in_l, in_r, frames);
                both = next->n;
            }
            // A chunk before another is a whole one, so the next is no longer.
            for (int32_t i = 0; i < both; ++i)
            {
                tone_frame(tone, *cur, i, &last);
                gates_frame(gates, *next, i, g.gate_level, sample_rate, len_l, len_r);
            }
            for (int32_t i = both; i < cur->n; ++i)
                tone_frame(tone, *cur, i, &last);
            output(*cur, out_l, out_r);
            if (!more)
                break;
            drive(*next);
            Chunk* done = cur;
            cur = next;
            next = done;
        }
        finish(*cur);
    }

    // Reads the chunk's inputs and shapes them for the gates.
    void shape(Chunk& c, int32_t start, const float* in_l, const float* in_r, int32_t frames)
    {
        const int32_t n = frames - start < kChunk ? frames - start : kChunk;
        c.start = start;
        c.n = n;
        shape_channel(in_l ? in_l + start : nullptr, c.in, c.shaped, n);
        shape_channel(in_r ? in_r + start : nullptr, c.in + n, c.shaped + n, n);
    }

    // n samples of one channel (silence without a source), copied and shaped.
    static void shape_channel(const float* source, float* in, float* shaped, int32_t n)
    {
        if (source == nullptr)
        {
            memset(in, 0, sizeof(float) * static_cast<size_t>(n));
            source = in;
        }
        map_vectors<L>(source, n, {in, shaped},
                       [](typename L::F x, typename L::F* out)
                       {
                           out[0] = x;
                           out[1] = limit_shaped<L>(saturated<L>(x));
                       });
    }

    // From the gated samples to the boosted ones.
    void drive(Chunk& c)
    {
        const typename L::F drive_gain = L::f(g.drive_gain);
        const typename L::F boost_gain = L::f(g.boost_gain);
        // In two passes: each tanh kernel is large enough to fill the
        // registers by itself.
        map_vectors<L>(c.gated, 2 * c.n, {c.driven, c.pre},
                       [&](typename L::F gated, typename L::F* out)
                       {
                           out[0] = L::mul(gated, drive_gain);
                           out[1] = saturated<L>(out[0]);
                       });
        map_vectors<L>(c.pre, 2 * c.n, {c.boost_in, c.boosted},
                       [&](typename L::F pre, typename L::F* out)
                       {
                           out[0] = L::mul(boost_gain, pre);
                           out[1] = saturated<L>(out[0]);
                       });
    }

    // The final saturators and the chunk's output, one frame behind them.
    void output(Chunk& c, float* out_l, float* out_r)
    {
        const int32_t n = c.n;
        map_vectors<L>(c.mix, 2 * n, {c.sat},
                       [](typename L::F x, typename L::F* out) { out[0] = saturated<L>(x); });
        // The next chunk's inputs are read already; its outputs are not
        // written yet, so the host's buffers may be shared.
        if (bypass)
        {
            if (out_l)
                memcpy(out_l + c.start, c.in, sizeof(float) * static_cast<size_t>(n));
            if (out_r)
                memcpy(out_r + c.start, c.in + n, sizeof(float) * static_cast<size_t>(n));
            last_out_l = c.in[n - 1];
            last_out_r = c.in[2 * n - 1];
        }
        else
        {
            const float volume = g.volume_gain;
            if (out_l)
                scale_behind(out_l + c.start, c.sat, held_l, volume, n);
            if (out_r)
                scale_behind(out_r + c.start, c.sat + n, held_r, volume, n);
            last_out_l = (n > 1 ? c.sat[n - 2] : held_l) * volume;
            last_out_r = volume * (n > 1 ? c.sat[2 * n - 2] : held_r);
        }
        held_l = c.sat[n - 1];
        held_r = c.sat[2 * n - 1];
    }

    // out[i] = sat[i - 1] * volume, the frame before the first being held (the
    // step multiplies the other way round on the right: the same product).
    static void scale_behind(float* out, const float* sat, float held, float volume, int32_t n)
    {
        out[0] = held * volume;
        for (int32_t i = 1; i < n; ++i)
            out[i] = sat[i - 1] * volume;
    }

    patch_t* patch;
    const patch_frame_gains_t g;
    const bool bypass;
    const float sample_rate;
    GateState gates;
    PackedTone tone;
    // The saturated mixes of the frame before, which the next output scales.
    float held_l;
    float held_r;
    // The last frame's outputs.
    float last_out_l = 0.0f;
    float last_out_r = 0.0f;
    ToneOutputs last{};
    Chunk chunks[2];
};

// The block's frames through the patch whose parameters are clamped and
// whose tone blocks are tuned for gains g.
template <class L>
void run_block(patch_t* patch, const patch_frame_gains_t& g, const float* in_l, const float* in_r,
               float* out_l, float* out_r, int32_t frames)
{
    BlockRun<L>(patch, g).run(in_l, in_r, out_l, out_r, frames);
}

// The vector path of lanes L under name.
template <class L> constexpr patch_vector_path_t vector_path(const char* name)
{
    return {name, patch_tanh_kernel::tanh_array<L>, patch_tanh_kernel::tanh_array_in<L>,
            run_block<L>};
}

} // namespace
