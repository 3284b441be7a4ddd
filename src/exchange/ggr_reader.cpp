// GIMP gradients: segments with a left, middle and right position, two RGBA colours, a
// blending function and a colouring (RGB or HSV either way round), evaluated exactly at each
// sample the way GIMP draws them.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace spectrane {

namespace {

constexpr int kMaxSegments = 10000;
// GIMP treats a middle this close to a segment's end, or a segment this short, as degenerate.
constexpr double kEpsilon = 1e-10;

enum Blend { kLinear, kCurved, kSine, kSphereIncreasing, kSphereDecreasing, kStep };
enum Coloring { kRgb, kHsvCcw, kHsvCw };

struct Segment {
    double left, middle, right;
    Rgba c0, c1; // components 0..1
    int blend, coloring;
};

// 0 at the left, 1/2 at the middle, 1 at the right (all relative to the segment).
double linearFactor(double middle, double pos) {
    if (pos <= middle) {
        return middle < kEpsilon ? 0.0 : 0.5 * pos / middle;
    }
    return 1.0 - middle < kEpsilon ? 1.0 : 0.5 + 0.5 * (pos - middle) / (1.0 - middle);
}

double blendFactor(int blend, double middle, double pos) {
    switch (blend) {
    case kCurved:
        return std::pow(pos, std::log(0.5) / std::log(std::max(middle, kEpsilon)));
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
    case kStep:
        return pos >= middle ? 1.0 : 0.0;
    default:
        return linearFactor(middle, pos);
    }
}

// The hue (0..1) between two colours' hues, going round the wheel the segment's way.
double hueBetween(double h0, double h1, double f, bool clockwise) {
    double h = 0.0;
    if (!clockwise) {
        h = h0 < h1 ? h0 + (h1 - h0) * f : h0 + (1.0 - (h0 - h1)) * f;
        return h > 1.0 ? h - 1.0 : h;
    }
    h = h1 < h0 ? h0 - (h0 - h1) * f : h0 - (1.0 - (h1 - h0)) * f;
    return h < 0.0 ? h + 1.0 : h;
}

Rgba segmentColor(const Segment& s, double t) {
    const double width = s.right - s.left;
    double middle = 0.5;
    double pos = 0.5;
    if (width >= kEpsilon) {
        middle = (s.middle - s.left) / width;
        pos = (t - s.left) / width;
    }
    const double f = blendFactor(s.blend, middle, pos);
    Rgba c;
    if (s.coloring == kRgb) {
        for (int k = 0; k < 3; ++k) {
            c[k] = s.c0[k] + (s.c1[k] - s.c0[k]) * f;
        }
    } else {
        const auto a = rgbToHsv({s.c0[0], s.c0[1], s.c0[2]});
        const auto b = rgbToHsv({s.c1[0], s.c1[1], s.c1[2]});
        const auto rgb = hsvToRgb({hueBetween(a[0], b[0], f, s.coloring == kHsvCw),
                                   a[1] + (b[1] - a[1]) * f, a[2] + (b[2] - a[2]) * f});
        c = {rgb[0], rgb[1], rgb[2], 0.0};
    }
    for (int k = 0; k < 3; ++k) {
        c[k] *= 255.0;
    }
    c[3] = s.c0[3] + (s.c1[3] - s.c0[3]) * f;
    return c;
}

// The colour at t: a shared end belongs to the later segment, as in GIMP's own lookup.
Rgba gradientColor(const std::vector<Segment>& segments, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto after = std::upper_bound(segments.begin(), segments.end(), t,
                                        [](double v, const Segment& s) { return v < s.right; });
    const Segment& s = after == segments.end() ? segments.back() : *after;
    return segmentColor(s, std::clamp(t, s.left, s.right));
}

// The line holding the number of segments, after the optional "Name:" line; its index.
std::optional<std::size_t> countLine(const std::vector<std::string_view>& lines, std::string& why,
                                     int& count) {
    std::size_t next = 1;
    if (next < lines.size() && lines[next].starts_with("Name:")) {
        ++next;
    }
    const auto n = next < lines.size() ? parseNumber(trim(lines[next])) : std::nullopt;
    if (!n || *n < 1 || *n > kMaxSegments || *n != std::floor(*n)) {
        why = lineError(static_cast<int>(next) + 1, "expected the number of segments, 1..10000");
        return std::nullopt;
    }
    count = static_cast<int>(*n);
    return next;
}

// A blending or colouring code as written, or -1 (no valid code) when it is far outside any:
// converting a huge double to int would be undefined.
int codeOf(double v) {
    return v >= -1.0 && v <= 64.0 ? static_cast<int>(v) : -1;
}

// One segment line: 13 numbers, or 15 with the end colours' sources (which do not matter for
// a gradient read from a file). Empty `why` on success.
Segment parseSegment(std::string_view text, int line, double previousRight, std::string& why) {
    Segment s{};
    const auto fields = splitFields(text, " \t", true);
    if (fields.size() != 13 && fields.size() != 15) {
        why = lineError(line,
                        "a segment has 13 or 15 numbers, found " + std::to_string(fields.size()));
        return s;
    }
    double v[15];
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const auto n = parseNumber(fields[k]);
        if (!n) {
            why = lineError(line, shown(fields[k]) + " is not a number");
            return s;
        }
        v[k] = *n;
    }
    s = {v[0],          v[1],         v[2], {v[3], v[4], v[5], v[6]}, {v[7], v[8], v[9], v[10]},
         codeOf(v[11]), codeOf(v[12])};
    if (!(s.left <= s.middle && s.middle <= s.right && s.left >= previousRight - 1e-6 &&
          s.right <= 1.0 && s.left >= 0.0)) {
        why = lineError(line, "the positions must run 0 <= left <= middle <= right <= 1, each "
                              "segment after the last");
    } else if (v[11] != s.blend || s.blend < kLinear || s.blend > kStep) {
        why = lineError(line, "unknown blending " + shown(fields[11]));
    } else if (v[12] != s.coloring || s.coloring < kRgb || s.coloring > kHsvCw) {
        why = lineError(line, "unknown colouring " + shown(fields[12]) +
                                  " (0 RGB, 1 HSV anticlockwise, 2 HSV clockwise)");
    } else {
        // A left end a hair before the last right end (rounded output) joins it.
        s.left = std::max(s.left, previousRight);
        s.middle = std::max(s.middle, s.left);
        for (int k = 0; k < 4; ++k) {
            s.c0[k] = std::clamp(s.c0[k], 0.0, 1.0);
            s.c1[k] = std::clamp(s.c1[k], 0.0, 1.0);
        }
    }
    return s;
}

} // namespace

GradientReadResult readGgrGradient(std::string_view text) {
    const auto lines = splitLines(text);
    if (lines.empty() || trim(lines[0]) != "GIMP Gradient") {
        return readFailure(lineError(1, "expected 'GIMP Gradient'"));
    }
    std::string why;
    int count = 0;
    const auto next = countLine(lines, why, count);
    if (!next) {
        return readFailure(why);
    }
    auto segments = std::make_shared<std::vector<Segment>>();
    Gradient g;
    for (int k = 0; k < count; ++k) {
        const std::size_t index = *next + 1 + static_cast<std::size_t>(k);
        const int line = static_cast<int>(index) + 1;
        if (index >= lines.size()) {
            return readFailure(lineError(line, "the file ends before segment " +
                                                   std::to_string(k + 1) + " of " +
                                                   std::to_string(count)));
        }
        const Segment s =
            parseSegment(lines[index], line, segments->empty() ? 0.0 : segments->back().right, why);
        if (!why.empty()) {
            return readFailure(why);
        }
        segments->push_back(s);
        // The stops mark the segments' ends and middles (for the natural length) and carry
        // the ends' opacity; the colours come from the segments themselves.
        const auto rgb = [](const Rgba& c) {
            return std::array<double, 3>{255 * c[0], 255 * c[1], 255 * c[2]};
        };
        const Rgba middle = segmentColor(s, s.middle);
        const bool joined = !g.stops.empty() && g.stops.back().position == s.left &&
                            g.stops.back().rgb == rgb(s.c0) && g.stops.back().alpha == s.c0[3];
        if (!joined) {
            g.stops.push_back({s.left, rgb(s.c0), s.c0[3]});
        }
        g.stops.push_back({s.middle, {middle[0], middle[1], middle[2]}, 1.0});
        g.stops.push_back({s.right, rgb(s.c1), s.c1[3]});
    }
    for (std::size_t k = *next + 1 + static_cast<std::size_t>(count); k < lines.size(); ++k) {
        if (!trim(lines[k]).empty()) {
            return readFailure(lineError(static_cast<int>(k) + 1, "more segments than stated"));
        }
    }
    g.colorAt = [segments](double t) { return gradientColor(*segments, t); };
    return {std::move(g), {}};
}

} // namespace spectrane
