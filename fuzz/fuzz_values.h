// Values a hostile host sends, drawn from the fuzzer's bytes: the special
// doubles (NaN, infinities, signed zeros, the extremes) often, any bit
// pattern otherwise.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace ferrulith::fuzz
{

inline double anyDouble(FuzzedDataProvider& in)
{
    using limits = std::numeric_limits<double>;
    static const double special[] = {limits::quiet_NaN(),
                                     limits::infinity(),
                                     -limits::infinity(),
                                     0.0,
                                     -0.0,
                                     1.0,
                                     0.5,
                                     -1.0,
                                     2.0,
                                     limits::max(),
                                     limits::lowest(),
                                     limits::min(),
                                     limits::denorm_min()};
    const uint8_t pick = in.ConsumeIntegral<uint8_t>();
    if (pick % 2 == 0)
        return special[(pick / 2) % (sizeof special / sizeof special[0])];
    const uint64_t bits = in.ConsumeIntegral<uint64_t>();
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace ferrulith::fuzz
