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

// A value within 1e-9 of a whole number taken as that number. Positions shown to the user and
// the places of markers go through it, so that a point set to level 200 and stored as
// 199.99999999999997 shows as 200; the stored coordinates stay as computed.
inline double snapToWhole(double v) {
    const double whole = std::round(v);
    return std::fabs(v - whole) <= 1e-9 ? whole : v;
}
inline std::int32_t shownFloor(double v) {
    return floorToInt(snapToWhole(v));
}
inline std::int32_t shownTrunc(double v) {
    return truncToInt(snapToWhole(v));
}

} // namespace spectrane
