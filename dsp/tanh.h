// The engine's tanh for one value. Every tanh of the sound goes through it or
// through a vector path of dsp/vector_paths.h, which give the same bits.
#pragma once

#include <cstdint>
#include <cstring>

#include "dsp/tanh_kernel.h"

namespace patch_tanh_kernel
{

// One lane: plain floats and integers. Integer arithmetic wraps, as vector
// lanes do.
struct ScalarLanes
{
    using F = float;
    using I = int32_t;
    using M = bool;
    static constexpr int32_t width = 1;

    static F f(float c) { return c; }
    static I i(int32_t c) { return c; }
    static F add(F a, F b) { return a + b; }
    static F sub(F a, F b) { return a - b; }
    static F mul(F a, F b) { return a * b; }
    static F div(F a, F b) { return a / b; }
    static F neg(F a) { return -a; }
    static F min(F a, F b) { return a < b ? a : b; }
    static F max(F a, F b) { return a > b ? a : b; }
    static I bits(F a)
    {
        I b;
        memcpy(&b, &a, sizeof b);
        return b;
    }
    static F from_bits(I b)
    {
        F a;
        memcpy(&a, &b, sizeof a);
        return a;
    }
    static I iand(I a, I b) { return a & b; }
    static I ior(I a, I b) { return a | b; }
    static I ixor(I a, I b) { return a ^ b; }
    static I sar31(I a) { return a < 0 ? -1 : 0; }
    static I iadd(I a, I b)
    {
        return static_cast<I>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
    }
    static I isub(I a, I b)
    {
        return static_cast<I>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
    }
    static I shl23(I a) { return static_cast<I>(static_cast<uint32_t>(a) << 23); }
    static M lt(I a, I b) { return a < b; }
    static M gt(I a, I b) { return a > b; }
    static M eq(I a, I b) { return a == b; }
    static M either(M a, M b) { return a | b; }
    static M other(M a) { return !a; }
    static M both(M a, M b) { return a & b; }
    static bool all(M m) { return m; }
    static F pick(M m, F a, F b) { return m ? a : b; }
    static I pick(M m, I a, I b) { return m ? a : b; }
    static I trunc(F a) { return static_cast<I>(a); }
    static F to_float(I a) { return static_cast<F>(a); }
    static F load(const float* p) { return *p; }
    static void store(float* p, F a) { *p = a; }
};

} // namespace patch_tanh_kernel

// tanh of a 32-bit float in 32-bit arithmetic.
inline float patch_tanh(float x)
{
    return patch_tanh_kernel::tanh_lanes<patch_tanh_kernel::ScalarLanes>(x);
}
