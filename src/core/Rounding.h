// Rounding to the nearest integer with halves going to the even neighbour, as every duration,
// sample value and level in the program is rounded.
#pragma once

#include <cassert>
#include <cmath>
#include <cstdint>

namespace kelvaro {

/// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline double RoundHalfEven(double x) {
    return std::nearbyint(x);  // the default floating-point mode rounds halves to even
}

inline std::int64_t RoundToInt(double x) {
    return static_cast<std::int64_t>(RoundHalfEven(x));
}

/// numerator / denominator rounded half to even, exactly (no floating point), denominator > 0.
inline std::int64_t RoundRatio(std::int64_t numerator, std::int64_t denominator) {
    assert(denominator > 0);
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        quotient -= 1;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && (quotient % 2 != 0))) {
        quotient += 1;
    }
    return quotient;
}

}  // namespace kelvaro
