// Two vectors of lanes L worked as one: every operation is L's, on both
// halves, so each lane runs what it would run alone. The two halves' chains of
// dependent operations interleave, which keeps a processor busy while either
// waits; a path takes pairs where that pays.
#pragma once

#include <cstdint>

namespace patch_tanh_kernel
{

template <class L> struct PairLanes
{
    struct F
    {
        typename L::F a;
        typename L::F b;
    };
    struct I
    {
        typename L::I a;
        typename L::I b;
    };
    struct M
    {
        typename L::M a;
        typename L::M b;
    };
    static constexpr int32_t width = 2 * L::width;

    static F f(float c) { return {L::f(c), L::f(c)}; }
    static I i(int32_t c) { return {L::i(c), L::i(c)}; }
    static F add(F x, F y) { return {L::add(x.a, y.a), L::add(x.b, y.b)}; }
    static F sub(F x, F y) { return {L::sub(x.a, y.a), L::sub(x.b, y.b)}; }
    static F mul(F x, F y) { return {L::mul(x.a, y.a), L::mul(x.b, y.b)}; }
    static F div(F x, F y) { return {L::div(x.a, y.a), L::div(x.b, y.b)}; }
    static F min(F x, F y) { return {L::min(x.a, y.a), L::min(x.b, y.b)}; }
    static F max(F x, F y) { return {L::max(x.a, y.a), L::max(x.b, y.b)}; }
    static F neg(F x) { return {L::neg(x.a), L::neg(x.b)}; }
    static I bits(F x) { return {L::bits(x.a), L::bits(x.b)}; }
    static F from_bits(I x) { return {L::from_bits(x.a), L::from_bits(x.b)}; }
    static I iand(I x, I y) { return {L::iand(x.a, y.a), L::iand(x.b, y.b)}; }
    static I ior(I x, I y) { return {L::ior(x.a, y.a), L::ior(x.b, y.b)}; }
    static I ixor(I x, I y) { return {L::ixor(x.a, y.a), L::ixor(x.b, y.b)}; }
    static I iadd(I x, I y) { return {L::iadd(x.a, y.a), L::iadd(x.b, y.b)}; }
    static I isub(I x, I y) { return {L::isub(x.a, y.a), L::isub(x.b, y.b)}; }
    static I shl23(I x) { return {L::shl23(x.a), L::shl23(x.b)}; }
    static I sar31(I x) { return {L::sar31(x.a), L::sar31(x.b)}; }
    static M lt(I x, I y) { return {L::lt(x.a, y.a), L::lt(x.b, y.b)}; }
    static M gt(I x, I y) { return {L::gt(x.a, y.a), L::gt(x.b, y.b)}; }
    static M eq(I x, I y) { return {L::eq(x.a, y.a), L::eq(x.b, y.b)}; }
    static M either(M x, M y) { return {L::either(x.a, y.a), L::either(x.b, y.b)}; }
    static M both(M x, M y) { return {L::both(x.a, y.a), L::both(x.b, y.b)}; }
    static M other(M x) { return {L::other(x.a), L::other(x.b)}; }
    static bool all(M x) { return L::all(x.a) && L::all(x.b); }
    static F pick(M m, F x, F y) { return {L::pick(m.a, x.a, y.a), L::pick(m.b, x.b, y.b)}; }
    static I pick(M m, I x, I y) { return {L::pick(m.a, x.a, y.a), L::pick(m.b, x.b, y.b)}; }
    static I trunc(F x) { return {L::trunc(x.a), L::trunc(x.b)}; }
    static F to_float(I x) { return {L::to_float(x.a), L::to_float(x.b)}; }
    static F load(const float* p) { return {L::load(p), L::load(p + L::width)}; }
    static void store(float* p, F x)
    {
        L::store(p, x.a);
        L::store(p + L::width, x.b);
    }
};

} // namespace patch_tanh_kernel
