// The engine's tanh, written once over "lanes": a scalar float or a vector of
// floats. The algorithm is the classic one built on expm1 (argument reduction
// by k ln 2 in two parts, a rational approximation with one division, the
// exponent patched by k, then 1 - 2/(t + 2) from |x| = 1 up and -t/(t + 2)
// below), so the engine's sound is the same whatever C library it is linked
// with. A scalar takes the original's branches; vector lanes run every branch
// and keep the one their input belongs to. Either way a value goes through
// the operations of its own branch, in the same order and width, so every
// width gives the same bits as the scalar.
//
// The lane type L supplies:
//   F, I, M: float lanes, signed 32-bit integer lanes, lane masks;
//   f(c), i(c): a constant in every lane;
//   add, sub, mul, div, neg: float arithmetic (neg flips the sign bit);
//   bits(F) -> I, from_bits(I) -> F: the same bits reinterpreted;
//   iadd, isub (wrapping), shl23, iand, ior, ixor, sar31: integer
//   arithmetic (sar31 spreads the sign over the lane);
//   lt, gt, eq: signed integer comparisons; either, both, other: mask
//   logic; all: whether a mask holds in every lane;
//   pick(m, a, b): a where m holds, else b, for float and integer lanes;
//   trunc(F) -> I toward zero, to_float(I) -> F;
//   width, load, store: lanes per vector and unaligned memory access.
//
// This header holds templates and constants only: files built for wider
// instruction sets instantiate it with their own lane types and nothing
// compiled for them can be shared with, or picked by the linker over, code
// built for the baseline.
#pragma once

#include <cstdint>
#include <type_traits>

namespace patch_tanh_kernel
{

// The kernels are small enough to inline into every loop that uses them;
// as calls they would reload their constants every time.
// The branches are lambdas, so a scalar can skip the ones it does not take.
#if defined(__GNUC__)
#define PATCH_TANH_INLINE inline __attribute__((always_inline))
#define PATCH_TANH_BRANCH [&]() __attribute__((always_inline))
#else
#define PATCH_TANH_INLINE inline
#define PATCH_TANH_BRANCH [&]()
#endif

// ln 2 in two parts: k * ln2_hi is exact for the k that occur.
constexpr int32_t kLn2Hi = 0x3f317180;
constexpr int32_t kLn2Lo = 0x3717f7d1;
constexpr int32_t kInvLn2 = 0x3fb8aa3b;
// The rational approximation's coefficients, scaled.
constexpr int32_t kQ1 = static_cast<int32_t>(0xbd088889);
constexpr int32_t kQ2 = 0x3ad00d01;
constexpr int32_t kQ3 = static_cast<int32_t>(0xb8a670cd);
constexpr int32_t kQ4 = 0x36867e54;
constexpr int32_t kQ5 = static_cast<int32_t>(0xb457edbb);
constexpr int32_t kSignBit = INT32_MIN;

// What a caller knows of every lane's |x|: nothing, or that it lies in
// [2^-26, 22), in [2^-26, 1) or in [1, 22). A known range leaves out the
// branches no lane can take; the others run as they would anyway.
enum class Range
{
    any,
    curve,
    below_one,
    from_one,
};

// Whether lanes L are one plain value, whose mask is a bool: such a lane
// branches instead of picking.
template <class L> constexpr bool kBranches = std::is_same<typename L::M, bool>::value;

// a() where m holds, else b(). A scalar lane runs only the branch it takes;
// vector lanes run both and keep each lane's own.
template <class L, class A, class B>
PATCH_TANH_INLINE auto choose(typename L::M m, A a, B b) -> decltype(a())
{
    if constexpr (kBranches<L>)
        return m ? a() : b();
    else
        return L::pick(m, a(), b());
}

// a, known to be needed only where m holds: a branching lane has already
// left every other case, vector lanes take the harmless fallback there.
template <class L>
PATCH_TANH_INLINE typename L::F only_where(typename L::M m, typename L::F a, float fallback)
{
    if constexpr (kBranches<L>)
        return a;
    else
        return L::pick(m, a, L::f(fallback));
}

// z, which is not negative, with the sign bit of sign (a sign bit alone).
template <class L> PATCH_TANH_INLINE typename L::F with_sign(typename L::F z, typename L::I sign)
{
    return L::from_bits(L::ixor(L::bits(z), sign));
}

// k of y = k ln 2 + r: 0 up to 0.5 ln 2, +-1 up to 1.5 ln 2, beyond that
// y / ln 2 rounded half away from zero. hy is |y|'s bits, sign y's sign bit.
template <class L, Range R>
PATCH_TANH_INLINE typename L::I multiple_of_ln2(typename L::F y, typename L::I hy,
                                                typename L::I sign)
{
    const auto far = PATCH_TANH_BRANCH
    {
        const typename L::F rounding = L::from_bits(L::ior(L::bits(L::f(0.5f)), sign));
        return L::trunc(L::add(L::mul(L::from_bits(L::i(kInvLn2)), y), rounding));
    };
    if constexpr (R == Range::from_one)
        return far(); // y is at least 2
    else
        return choose<L>(
            L::lt(hy, L::i(0x3eb17219)), PATCH_TANH_BRANCH { return L::i(0); },
            PATCH_TANH_BRANCH {
                return choose<L>(
                    L::lt(hy, L::i(0x3f851592)),
                    PATCH_TANH_BRANCH { return L::ior(L::i(1), L::sar31(sign)); }, far);
            });
}

// v with k added to its exponent field (k_field is k << 23).
template <class L>
PATCH_TANH_INLINE typename L::F times_two_to_k(typename L::F v, typename L::I k_field)
{
    return L::from_bits(L::iadd(L::bits(v), k_field));
}

// 2^k (1 + r + ...) - 1 for k below -1 or above 1, ec the correction of the
// approximation; how the 1 is taken off depends on how far 2^k is from it.
template <class L, Range R>
PATCH_TANH_INLINE typename L::F far_from_zero(typename L::I k, typename L::F r, typename L::F ec)
{
    using F = typename L::F;
    const F one = L::f(1.0f);
    const typename L::I k_field = L::shl23(k);
    const auto far = PATCH_TANH_BRANCH
    {
        return L::sub(times_two_to_k<L>(L::sub(one, L::sub(ec, r)), k_field), one);
    };
    if constexpr (R == Range::below_one)
        return far(); // k is -2 or -3
    else
        return choose<L>(
            L::either(L::lt(k, L::i(-1)), L::gt(k, L::i(56))), far, PATCH_TANH_BRANCH {
                const F pow_minus_k = L::from_bits(L::shl23(L::isub(L::i(0x7f), k)));
                return choose<L>(
                    L::lt(k, L::i(23)),
                    PATCH_TANH_BRANCH {
                        return times_two_to_k<L>(L::sub(L::sub(one, pow_minus_k), L::sub(ec, r)),
                                                 k_field);
                    },
                    PATCH_TANH_BRANCH {
                        return times_two_to_k<L>(L::add(L::sub(r, L::add(ec, pow_minus_k)), one),
                                                 k_field);
                    });
            });
}

// expm1 of y for the arguments tanh hands it: 2|x| in [2, 44) and -2|x| in
// (-2, -2^-54]. y never reaches the overflow or the -1 limit of a general
// expm1, and a positive y is at least 2, so k is never 1.
template <class L, Range R> PATCH_TANH_INLINE typename L::F expm1_lanes(typename L::F y)
{
    using F = typename L::F;
    using I = typename L::I;
    const I hy = L::iand(L::bits(y), L::i(0x7fffffff));

    const auto reduced = PATCH_TANH_BRANCH
    {
        const F one = L::f(1.0f);
        const F half = L::f(0.5f);
        const I k = multiple_of_ln2<L, R>(y, hy, L::iand(L::bits(y), L::i(kSignBit)));
        const F tk = L::to_float(k);
        const F hi = L::sub(y, L::mul(tk, L::from_bits(L::i(kLn2Hi))));
        const F lo = L::mul(tk, L::from_bits(L::i(kLn2Lo)));
        const F r = L::sub(hi, lo);

        const F hfx = L::mul(half, r);
        const F hxs = L::mul(r, hfx);
        F poly = L::mul(hxs, L::from_bits(L::i(kQ5)));
        poly = L::mul(hxs, L::add(L::from_bits(L::i(kQ4)), poly));
        poly = L::mul(hxs, L::add(L::from_bits(L::i(kQ3)), poly));
        poly = L::mul(hxs, L::add(L::from_bits(L::i(kQ2)), poly));
        poly = L::mul(hxs, L::add(L::from_bits(L::i(kQ1)), poly));
        const F r1 = L::add(one, poly);
        const F t = L::sub(L::f(3.0f), L::mul(r1, hfx));
        const F e = L::mul(hxs, L::div(L::sub(r1, t), L::sub(L::f(6.0f), L::mul(r, t))));

        const auto corrected = PATCH_TANH_BRANCH
        {
            const F c = L::sub(L::sub(hi, r), lo); // what r lost to rounding
            const F ec = L::sub(L::sub(L::mul(r, L::sub(e, c)), c), hxs);
            if constexpr (R == Range::from_one)
                return far_from_zero<L, R>(k, r, ec);
            else
                return choose<L>(
                    L::eq(k, L::i(-1)),
                    PATCH_TANH_BRANCH { return L::sub(L::mul(half, L::sub(r, ec)), half); },
                    PATCH_TANH_BRANCH { return far_from_zero<L, R>(k, r, ec); });
        };
        // k = 0 needs no correction for the rounding of r.
        if constexpr (R == Range::from_one)
            return corrected();
        else
            return choose<L>(
                L::eq(k, L::i(0)),
                PATCH_TANH_BRANCH { return L::sub(r, L::sub(L::mul(r, e), hxs)); }, corrected);
    };
    // Below 2^-25 expm1 rounds to y itself.
    if constexpr (R != Range::any)
        return reduced();
    else
        return choose<L>(
            L::lt(hy, L::i(0x33000000)), PATCH_TANH_BRANCH { return y; }, reduced);
}

// tanh a for a = |x| in [2^-55, 22): 1 - 2/(t + 2) with t = expm1(2a) from
// a = 1 up, -t/(t + 2) with t = expm1(-2a) below.
template <class L, Range R> PATCH_TANH_INLINE typename L::F tanh_curve(typename L::F a)
{
    using F = typename L::F;
    const F one = L::f(1.0f);
    const F two = L::f(2.0f);
    if constexpr (R == Range::from_one)
    {
        return L::sub(one, L::div(two, L::add(expm1_lanes<L, R>(L::mul(two, a)), two)));
    }
    else if constexpr (R == Range::below_one)
    {
        const F t = expm1_lanes<L, R>(L::mul(L::f(-2.0f), a));
        return L::div(L::neg(t), L::add(t, two));
    }
    else
    {
        const auto from_one = L::gt(L::bits(a), L::i(0x3f7fffff));
        const F t = expm1_lanes<L, R>(choose<L>(
            from_one, PATCH_TANH_BRANCH { return L::mul(two, a); },
            PATCH_TANH_BRANCH { return L::mul(L::f(-2.0f), a); }));
        // One division serves both sides.
        const F q = L::div(choose<L>(
                               from_one, PATCH_TANH_BRANCH { return two; },
                               PATCH_TANH_BRANCH { return L::neg(t); }),
                           L::add(t, two));
        return choose<L>(
            from_one, PATCH_TANH_BRANCH { return L::sub(one, q); },
            PATCH_TANH_BRANCH { return q; });
    }
}

template <class L, Range R = Range::any> PATCH_TANH_INLINE typename L::F tanh_lanes(typename L::F x)
{
    using F = typename L::F;
    using I = typename L::I;
    const I ix = L::iand(L::bits(x), L::i(0x7fffffff));
    const I sign = L::iand(L::bits(x), L::i(kSignBit));
    // A NaN comes back quieted, sign and payload kept: x + x does to it what
    // the classic 1/x + 1 does.
    if constexpr (R != Range::any)
        return with_sign<L>(tanh_curve<L, R>(L::from_bits(ix)), sign);
    else
        return choose<L>(
            L::gt(ix, L::i(0x7f800000)), PATCH_TANH_BRANCH { return L::add(x, x); },
            PATCH_TANH_BRANCH {
                const auto saturated = L::gt(ix, L::i(0x41afffff)); // |x| >= 22, infinities too
                const auto tiny = L::lt(ix, L::i(0x24000000));      // |x| < 2^-55, zeros too
                return choose<L>(
                    tiny,
                    PATCH_TANH_BRANCH {
                        // x (1 + x): x itself, and with denormals taken as zero a
                        // zero of the denormal's sign.
                        const F xt = only_where<L>(tiny, x, 0.0f);
                        return L::mul(xt, L::add(L::f(1.0f), xt));
                    },
                    PATCH_TANH_BRANCH {
                        // From 22 up 1 - 1e-30, which is 1. Vector lanes off the
                        // curve run it on 0.5, so they raise no overflow or invalid
                        // operation of their own.
                        const F magnitude = choose<L>(
                            saturated, PATCH_TANH_BRANCH { return L::f(1.0f); },
                            PATCH_TANH_BRANCH {
                                return tanh_curve<L, R>(only_where<L>(
                                    L::other(L::either(saturated, tiny)), L::from_bits(ix), 0.5f));
                            });
                        return with_sign<L>(magnitude, sign);
                    });
            });
}

// tanh of one vector. A vector whose lanes all lie on one side of 1, as most
// of a signal's do, takes the shorter code of its range, and one whose lanes
// all lie on the curve leaves out the edges.
template <class L> PATCH_TANH_INLINE typename L::F tanh_vector(typename L::F x)
{
    const typename L::I ix = L::iand(L::bits(x), L::i(0x7fffffff));
    const auto at_least = [&](int32_t bits) { return L::gt(ix, L::i(bits - 1)); };
    const auto below = [&](int32_t bits) { return L::lt(ix, L::i(bits)); };
    if (L::all(L::both(at_least(0x32800000), below(0x3f800000))))
        return tanh_lanes<L, Range::below_one>(x);
    if (L::all(L::both(at_least(0x3f800000), below(0x41b00000))))
        return tanh_lanes<L, Range::from_one>(x);
    if (L::all(L::both(at_least(0x32800000), below(0x41b00000))))
        return tanh_lanes<L, Range::curve>(x);
    return tanh_lanes<L>(x);
}

// y[i] = kernel(x[i]) vector by vector for count values; a partial last
// vector goes through a copy padded with pad.
template <class L, typename Kernel>
void map_array(const float* x, float* y, int32_t count, float pad, Kernel kernel)
{
    constexpr int32_t width = L::width;
    int32_t i = 0;
    for (; i + width <= count; i += width)
        L::store(y + i, kernel(L::load(x + i)));
    if (i == count)
        return;
    float in[width];
    float out[width];
    for (int32_t j = 0; j < width; ++j)
        in[j] = i + j < count ? x[i + j] : pad;
    L::store(out, kernel(L::load(in)));
    for (int32_t j = 0; i + j < count; ++j)
        y[i + j] = out[j];
}

// y[i] = tanh(x[i]) for count values.
template <class L> void tanh_array(const float* x, float* y, int32_t count)
{
    map_array<L>(x, y, count, 0.0f, [](typename L::F v) { return tanh_vector<L>(v); });
}

// tanh_array through the code of range alone, which every x[i] must lie in:
// the tests check each range's code on all of its inputs this way.
template <class L> void tanh_array_in(int32_t range, const float* x, float* y, int32_t count)
{
    using F = typename L::F;
    switch (static_cast<Range>(range))
    {
    case Range::curve:
        return map_array<L>(x, y, count, 0.5f, [](F v) { return tanh_lanes<L, Range::curve>(v); });
    case Range::below_one:
        return map_array<L>(x, y, count, 0.5f,
                            [](F v) { return tanh_lanes<L, Range::below_one>(v); });
    case Range::from_one:
        return map_array<L>(x, y, count, 2.0f,
                            [](F v) { return tanh_lanes<L, Range::from_one>(v); });
    default:
        return map_array<L>(x, y, count, 0.0f, [](F v) { return tanh_lanes<L>(v); });
    }
}

} // namespace patch_tanh_kernel
