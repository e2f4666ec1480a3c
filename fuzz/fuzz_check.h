// What a harness asserts: a broken property names itself and aborts, which
// the fuzzer reports as a crash and keeps the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace ferrulith::fuzz
{

inline void check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace ferrulith::fuzz
