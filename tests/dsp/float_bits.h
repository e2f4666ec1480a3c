// Bit-exact float comparisons: the engine's widths are behaviour, so tests
// compare bit patterns, not values within a tolerance.
#pragma once

#include <cstdint>
#include <cstring>

inline uint32_t bits_of(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline uint64_t bits_of(double value)
{
    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Folds a float's bit pattern into an FNV-1a hash: pinned hashes of long
// outputs hold the same on every platform the engine is built for.
inline uint64_t hash_bits(uint64_t hash, float value)
{
    return (hash ^ bits_of(value)) * 1099511628211u;
}
constexpr uint64_t kHashStart = 14695981039346656037u;

#define EXPECT_SAME_FLOAT(expected, actual) EXPECT_EQ(bits_of(expected), bits_of(actual))
#define ASSERT_SAME_FLOAT(expected, actual) ASSERT_EQ(bits_of(expected), bits_of(actual))
