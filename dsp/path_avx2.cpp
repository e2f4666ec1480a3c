// Eight lanes of AVX2. Built with AVX2 enabled for this file alone; only
// called where the processor and the operating system support it.
#include <immintrin.h>

#include "dsp/block_kernel.h"
#include "dsp/tanh_kernel.h"
#include "dsp/vector_paths.h"

namespace
{

struct Avx2Lanes
{
    using F = __m256;
    using I = __m256i;
    using M = __m256i;
    static constexpr int32_t width = 8;

    static F f(float c) { return _mm256_set1_ps(c); }
    static I i(int32_t c) { return _mm256_set1_epi32(c); }
    static F add(F a, F b) { return _mm256_add_ps(a, b); }
    static F sub(F a, F b) { return _mm256_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm256_mul_ps(a, b); }
    static F div(F a, F b) { return _mm256_div_ps(a, b); }
    // a < b ? a : b and a > b ? a : b, lane by lane.
    static F min(F a, F b) { return _mm256_min_ps(a, b); }
    static F max(F a, F b) { return _mm256_max_ps(a, b); }
    static F neg(F a) { return _mm256_xor_ps(a, _mm256_castsi256_ps(i(INT32_MIN))); }
    static I bits(F a) { return _mm256_castps_si256(a); }
    static F from_bits(I a) { return _mm256_castsi256_ps(a); }
    static I iand(I a, I b) { return _mm256_and_si256(a, b); }
    static I ior(I a, I b) { return _mm256_or_si256(a, b); }
    static I ixor(I a, I b) { return _mm256_xor_si256(a, b); }
    static I sar31(I a) { return _mm256_srai_epi32(a, 31); }
    static I iadd(I a, I b) { return _mm256_add_epi32(a, b); }
    static I isub(I a, I b) { return _mm256_sub_epi32(a, b); }
    static I shl23(I a) { return _mm256_slli_epi32(a, 23); }
    static M lt(I a, I b) { return _mm256_cmpgt_epi32(b, a); }
    static M gt(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    static M eq(I a, I b) { return _mm256_cmpeq_epi32(a, b); }
    static M either(M a, M b) { return _mm256_or_si256(a, b); }
    static M other(M a) { return _mm256_xor_si256(a, i(-1)); }
    static M both(M a, M b) { return _mm256_and_si256(a, b); }
    static bool all(M m) { return _mm256_movemask_ps(_mm256_castsi256_ps(m)) == 0xff; }
    static F pick(M m, F a, F b) { return _mm256_blendv_ps(b, a, _mm256_castsi256_ps(m)); }
    static I pick(M m, I a, I b) { return _mm256_blendv_epi8(b, a, m); }
    static I trunc(F a) { return _mm256_cvttps_epi32(a); }
    static F to_float(I a) { return _mm256_cvtepi32_ps(a); }
    static F load(const float* p) { return _mm256_loadu_ps(p); }
    static void store(float* p, F a) { _mm256_storeu_ps(p, a); }
};

// One vector at a time: pairs would need more registers than there are.
using Lanes = Avx2Lanes;

} // namespace

// Constant: no code of this file runs before the path is chosen.
constexpr patch_vector_path_t patch_path_avx2 = vector_path<Lanes>("avx2");
