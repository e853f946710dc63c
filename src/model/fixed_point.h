// Conversions between reals and the 32-bit integers of the fixed-point code.
#pragma once

#include <cmath>
#include <cstdint>

namespace quillo {

// trunc(value) as a 32-bit integer, saturating instead of overflowing
// (a float outside the int range would be undefined); NaN gives 0.
inline int32_t truncToInt(double value)
{
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// (a * b) >> 11 with a 64-bit product; the result is kept in 32 bits.
inline int32_t fixMul(int32_t a, int32_t b)
{
    return static_cast<int32_t>((int64_t(a) * b) >> 11);
}

// A 64-bit sum of products shifted by 11, then narrowed.
inline int32_t narrow(int64_t value)
{
    return static_cast<int32_t>(value);
}

} // namespace quillo
