// GIMP gradients: segments with a left, middle and right position, two RGBA colours and a
// blending function, turned into linear pieces.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <cmath>
#include <numbers>

namespace spectrane {

namespace {

constexpr int kMaxSegments = 10000;
// Linear pieces per curved segment: closer than a level to the curve for any segment.
constexpr int kPiecesPerCurve = 64;

constexpr int kLinear = 0, kCurved = 1, kSine = 2, kSphereIncreasing = 3, kSphereDecreasing = 4,
              kStep = 5;

// GIMP's linear blending: 0 at the left, 1/2 at the middle, 1 at the right (all relative).
double linearFactor(double middle, double pos) {
    if (pos <= middle) {
        return middle < 1e-10 ? 0.0 : 0.5 * pos / middle;
    }
    return 1.0 - middle < 1e-10 ? 1.0 : 0.5 + 0.5 * (pos - middle) / (1.0 - middle);
}

double blend(int type, double middle, double pos) {
    switch (type) {
    case kCurved:
        return std::pow(pos, std::log(0.5) / std::log(std::max(middle, 1e-10)));
    case kSine:
        return (std::sin(-std::numbers::pi / 2 + std::numbers::pi * linearFactor(middle, pos)) +
                1.0) /
               2.0;
    case kSphereIncreasing: {
        const double p = linearFactor(middle, pos) - 1.0;
        return std::sqrt(std::max(0.0, 1.0 - p * p));
    }
    case kSphereDecreasing: {
        const double p = linearFactor(middle, pos);
        return 1.0 - std::sqrt(std::max(0.0, 1.0 - p * p));
    }
    default:
        return linearFactor(middle, pos);
    }
}

} // namespace

GradientReadResult readGgrGradient(std::string_view text) {
    const auto lines = splitLines(text);
    if (lines.empty() || trim(lines[0]) != "GIMP Gradient") {
        return readFailure(lineError(1, "expected 'GIMP Gradient'"));
    }
    std::size_t next = 1;
    if (next < lines.size() && lines[next].starts_with("Name:")) {
        ++next;
    }
    const auto count = next < lines.size() ? parseNumber(trim(lines[next])) : std::nullopt;
    if (!count || *count < 1 || *count > kMaxSegments || *count != std::floor(*count)) {
        return readFailure(
            lineError(static_cast<int>(next) + 1, "expected the number of segments, 1..10000"));
    }
    Gradient g;
    double previousRight = 0.0;
    for (int s = 0; s < static_cast<int>(*count); ++s) {
        const std::size_t index = next + 1 + static_cast<std::size_t>(s);
        const int line = static_cast<int>(index) + 1;
        if (index >= lines.size()) {
            return readFailure(lineError(line, "the file ends before segment " +
                                                   std::to_string(s + 1) + " of " +
                                                   std::to_string(static_cast<int>(*count))));
        }
        const auto fields = splitFields(lines[index], " \t", true);
        if (fields.size() != 13 && fields.size() != 15) {
            return readFailure(lineError(line, "a segment has 13 or 15 numbers, found " +
                                                   std::to_string(fields.size())));
        }
        double v[15];
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const auto n = parseNumber(fields[k]);
            if (!n) {
                return readFailure(lineError(line, shown(fields[k]) + " is not a number"));
            }
            v[k] = *n;
        }
        const double left = v[0], middle = v[1], right = v[2];
        if (!(left <= middle && middle <= right && left >= previousRight - 1e-6 && right <= 1.0 &&
              left >= 0.0)) {
            return readFailure(lineError(line, "the positions must run 0 <= left <= middle <= "
                                               "right <= 1, each segment after the last"));
        }
        const int type = v[11] >= kLinear && v[11] <= kStep ? static_cast<int>(v[11]) : -1;
        if (type < 0 || v[11] != type) {
            return readFailure(lineError(line, "unknown blending " + shown(fields[11])));
        }
        if (v[12] != 0.0) {
            return readFailure(lineError(line, "HSV colouring is not supported, only RGB"));
        }
        previousRight = right;
        const std::array<double, 3> c0{255 * v[3], 255 * v[4], 255 * v[5]};
        const std::array<double, 3> c1{255 * v[7], 255 * v[8], 255 * v[9]};
        const auto mix = [&](double f) {
            return std::array<double, 3>{c0[0] + (c1[0] - c0[0]) * f, c0[1] + (c1[1] - c0[1]) * f,
                                         c0[2] + (c1[2] - c0[2]) * f};
        };
        const double width = right - left;
        const double mid = width > 0 ? (middle - left) / width : 0.5;
        if (type == kStep) {
            g.stops.insert(g.stops.end(), {{left, c0}, {middle, c0}, {middle, c1}, {right, c1}});
        } else if (type == kLinear && std::fabs(mid - 0.5) < 1e-6) {
            g.stops.insert(g.stops.end(), {{left, c0}, {right, c1}});
        } else if (type == kLinear) {
            g.stops.insert(g.stops.end(), {{left, c0}, {middle, mix(0.5)}, {right, c1}});
        } else {
            for (int k = 0; k <= kPiecesPerCurve; ++k) {
                const double pos = static_cast<double>(k) / kPiecesPerCurve;
                g.stops.push_back({left + width * pos, mix(blend(type, mid, pos))});
            }
        }
    }
    for (std::size_t k = next + 1 + static_cast<std::size_t>(*count); k < lines.size(); ++k) {
        if (!trim(lines[k]).empty()) {
            return readFailure(lineError(static_cast<int>(k) + 1, "more segments than stated"));
        }
    }
    g.from = 0.0;
    g.to = 1.0;
    return {std::move(g), {}};
}

} // namespace spectrane
