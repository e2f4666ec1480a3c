// Bit-pattern conversions between a 32-bit float and its 32 bits, with no
// numeric conversion. The step keys what it remembers by the exact bits of
// its inputs.
#pragma once

#include <cstdint>

float patch_float_from_bits(uint32_t bits);
uint32_t patch_float_bits(float value);
