// The baseline path: four lanes of SSE2, which every x86-64 processor has.
#include "dsp/vector_paths.h"

#if defined(PATCH_PATHS_SSE2)

#include <emmintrin.h>

#include "dsp/block_kernel.h"
#include "dsp/pair_lanes.h"
#include "dsp/tanh_kernel.h"

namespace
{

struct Sse2Lanes
{
    using F = __m128;
    using I = __m128i;
    using M = __m128i;
    static constexpr int32_t width = 4;

    static F f(float c) { return _mm_set1_ps(c); }
    static I i(int32_t c) { return _mm_set1_epi32(c); }
    static F add(F a, F b) { return _mm_add_ps(a, b); }
    static F sub(F a, F b) { return _mm_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm_mul_ps(a, b); }
    static F div(F a, F b) { return _mm_div_ps(a, b); }
    // a < b ? a : b and a > b ? a : b, lane by lane.
    static F min(F a, F b) { return _mm_min_ps(a, b); }
    static F max(F a, F b) { return _mm_max_ps(a, b); }
    static F neg(F a) { return _mm_xor_ps(a, _mm_castsi128_ps(i(INT32_MIN))); }
    static I bits(F a) { return _mm_castps_si128(a); }
    static F from_bits(I a) { return _mm_castsi128_ps(a); }
    static I iand(I a, I b) { return _mm_and_si128(a, b); }
    static I ior(I a, I b) { return _mm_or_si128(a, b); }
    static I ixor(I a, I b) { return _mm_xor_si128(a, b); }
    static I sar31(I a) { return _mm_srai_epi32(a, 31); }
    static I iadd(I a, I b) { return _mm_add_epi32(a, b); }
    static I isub(I a, I b) { return _mm_sub_epi32(a, b); }
    static I shl23(I a) { return _mm_slli_epi32(a, 23); }
    static M lt(I a, I b) { return _mm_cmplt_epi32(a, b); }
    static M gt(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    static M eq(I a, I b) { return _mm_cmpeq_epi32(a, b); }
    static M either(M a, M b) { return _mm_or_si128(a, b); }
    static M other(M a) { return _mm_xor_si128(a, i(-1)); }
    static M both(M a, M b) { return _mm_and_si128(a, b); }
    static bool all(M m) { return _mm_movemask_ps(_mm_castsi128_ps(m)) == 0xf; }
    static F pick(M m, F a, F b)
    {
        const F mask = _mm_castsi128_ps(m);
        return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
    }
    static I pick(M m, I a, I b)
    {
        return _mm_or_si128(_mm_and_si128(m, a), _mm_andnot_si128(m, b));
    }
    static I trunc(F a) { return _mm_cvttps_epi32(a); }
    static F to_float(I a) { return _mm_cvtepi32_ps(a); }
    static F load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, F a) { _mm_storeu_ps(p, a); }
};

// Two vectors at a time: one alone leaves the processor waiting on its
// chains of dependent operations.
using Lanes = patch_tanh_kernel::PairLanes<Sse2Lanes>;

} // namespace

// Constant: no code of this file runs before the path is chosen.
constexpr patch_vector_path_t patch_path_sse2 = vector_path<Lanes>("sse2");

#endif
