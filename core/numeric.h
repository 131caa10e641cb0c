#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// value truncated toward zero, clamped to the 32-bit range; NaN gives 0.
// Stored settings may hold any number, and a plain conversion of one beyond
// the range would be undefined.
inline int32_t TruncateToInt32Clamped(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// a * b with the two's-complement wrap-around of 32-bit machine arithmetic,
// without the undefined behaviour of a signed overflow.
inline int32_t MultiplyWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// a + b and a - b with the wrap-around of 32-bit machine arithmetic.
inline int32_t AddWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t SubtractWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// value truncated toward zero when it fits in 32 bits; nothing for NaN, an
// infinity or a value beyond the range.
inline std::optional<int32_t> TruncateToInt32(double value) {
    // Compared as the open interval (INT32_MIN - 1, INT32_MAX + 1), both ends
    // exact in double, so every value inside truncates into range.
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
    return static_cast<int32_t>(value);
}
