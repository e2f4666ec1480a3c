// Sixteen lanes of AVX-512. Built with AVX-512 enabled for this file alone
// (the foundation instructions, and the VL and DQ extensions, which give the
// tone stages' short vectors sixteen more registers); only called where the
// processor and the operating system support all three.
#include <immintrin.h>

// GCC 12 takes the undefined vector its own AVX-512 intrinsics start from
// for an uninitialized read (GCC bug 105593); no value here comes from one.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

#include "dsp/block_kernel.h"
#include "dsp/pair_lanes.h"
#include "dsp/tanh_kernel.h"
#include "dsp/vector_paths.h"

namespace
{

struct Avx512Lanes
{
    using F = __m512;
    using I = __m512i;
    using M = __mmask16;
    static constexpr int32_t width = 16;

    static F f(float c) { return _mm512_set1_ps(c); }
    static I i(int32_t c) { return _mm512_set1_epi32(c); }
    static F add(F a, F b) { return _mm512_add_ps(a, b); }
    static F sub(F a, F b) { return _mm512_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm512_mul_ps(a, b); }
    static F div(F a, F b) { return _mm512_div_ps(a, b); }
    // a < b ? a : b and a > b ? a : b, lane by lane.
    static F min(F a, F b) { return _mm512_min_ps(a, b); }
    static F max(F a, F b) { return _mm512_max_ps(a, b); }
    static F neg(F a) { return from_bits(_mm512_xor_si512(bits(a), i(INT32_MIN))); }
    static I bits(F a) { return _mm512_castps_si512(a); }
    static F from_bits(I a) { return _mm512_castsi512_ps(a); }
    static I iand(I a, I b) { return _mm512_and_si512(a, b); }
    static I ior(I a, I b) { return _mm512_or_si512(a, b); }
    static I ixor(I a, I b) { return _mm512_xor_si512(a, b); }
    static I sar31(I a) { return _mm512_srai_epi32(a, 31); }
    static I iadd(I a, I b) { return _mm512_add_epi32(a, b); }
    static I isub(I a, I b) { return _mm512_sub_epi32(a, b); }
    static I shl23(I a) { return _mm512_slli_epi32(a, 23); }
    static M lt(I a, I b) { return _mm512_cmplt_epi32_mask(a, b); }
    static M gt(I a, I b) { return _mm512_cmpgt_epi32_mask(a, b); }
    static M eq(I a, I b) { return _mm512_cmpeq_epi32_mask(a, b); }
    static M either(M a, M b) { return static_cast<M>(a | b); }
    static M other(M a) { return static_cast<M>(~a); }
    static M both(M a, M b) { return static_cast<M>(a & b); }
    static bool all(M m) { return m == 0xffff; }
    static F pick(M m, F a, F b) { return _mm512_mask_blend_ps(m, b, a); }
    static I pick(M m, I a, I b) { return _mm512_mask_blend_epi32(m, b, a); }
    static I trunc(F a) { return _mm512_cvttps_epi32(a); }
    static F to_float(I a) { return _mm512_cvtepi32_ps(a); }
    static F load(const float* p) { return _mm512_loadu_ps(p); }
    static void store(float* p, F a) { _mm512_storeu_ps(p, a); }
};

// Two vectors at a time: one alone leaves the processor waiting on its
// chains of dependent operations.
using Lanes = patch_tanh_kernel::PairLanes<Avx512Lanes>;

} // namespace

// Constant: no code of this file runs before the path is chosen.
constexpr patch_vector_path_t patch_path_avx512 = vector_path<Lanes>("avx512");
