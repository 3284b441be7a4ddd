// Conversions from real canvas coordinates to whole numbers that never overflow: a control
// point may lie arbitrarily far outside the canvas, so values are saturated first.
#pragma once

#include <cmath>
#include <cstdint>

namespace spectrane {

// Whole-number coordinates are kept within +-2^29, far beyond any canvas, so that sums and
// differences of a few of them still fit in 32 bits.
inline constexpr double kWholeCoordinateLimit = 536870912.0;

// Truncation toward zero, saturated to +-2^29; NaN gives 0.
inline std::int32_t truncToInt(double v) {
    if (!(v == v)) {
        return 0;
    }
    if (v > kWholeCoordinateLimit) {
        return static_cast<std::int32_t>(kWholeCoordinateLimit);
    }
    if (v < -kWholeCoordinateLimit) {
        return -static_cast<std::int32_t>(kWholeCoordinateLimit);
    }
    return static_cast<std::int32_t>(v);
}

// Rounding toward minus infinity, saturated like truncToInt.
inline std::int32_t floorToInt(double v) {
    return truncToInt(std::floor(v));
}

} // namespace spectrane
