#include "exchange/gradient.h"

#include "model/gradation_render.h"

#include <algorithm>
#include <cmath>

namespace spectrane {

namespace {

// Below 256 dots a gradation is too coarse to be the default for a gradient that gives no
// length of its own.
constexpr int kLeastDefaultLength = 256;

// A stop counts as lying on a dot when it is within this many dots of it.
constexpr double kOnDot = 1e-3;

std::uint8_t toLevel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// The share of the later colour at fraction p of an interval whose colour is half way at
// fraction h: p to the power log 0.5 / log h, so that it is 1/2 at h (a CSS colour hint).
double blendWeight(double p, double h) {
    if (h == 0.5) {
        return p;
    }
    if (h <= 0.0) {
        return p > 0.0 ? 1.0 : 0.0;
    }
    if (h >= 1.0) {
        return p < 1.0 ? 0.0 : 1.0;
    }
    return std::pow(p, std::log(0.5) / std::log(h));
}

} // namespace

int naturalLength(const Gradient& g) {
    if (g.ownLength > 0) {
        return std::clamp(g.ownLength, kMinDots, kMaxDots);
    }
    const double span = g.to - g.from;
    for (int intervals = 1; intervals < kMaxDots && span > 0.0; ++intervals) {
        const bool onGrid = std::all_of(g.stops.begin(), g.stops.end(), [&](const auto& s) {
            const double at = (s.position - g.from) / span * intervals;
            return std::fabs(at - std::round(at)) <= kOnDot;
        });
        if (onGrid) {
            const int times = (kLeastDefaultLength - 1 + intervals - 1) / intervals;
            return intervals * std::max(times, 1) + 1;
        }
    }
    return kMaxDots;
}

int partlyTransparentStops(const Gradient& g) {
    return static_cast<int>(
        std::count_if(g.stops.begin(), g.stops.end(), [](const auto& s) { return s.alpha < 1.0; }));
}

namespace {

// The colour of the stops at t: straight or premultiplied mixing of the two around it.
Rgba stopsAt(const Gradient& g, double t) {
    const auto& stops = g.stops;
    // The first stop beyond t; a dot on a hard edge thus lies after it.
    const auto next = std::upper_bound(stops.begin(), stops.end(), t,
                                       [](double v, const auto& s) { return v < s.position; });
    const GradientStop& a = next == stops.begin() ? stops.front() : *(next - 1);
    const GradientStop& b = next == stops.end() ? stops.back() : *next;
    const double f = &a == &b || b.position <= a.position
                         ? 0.0
                         : blendWeight((t - a.position) / (b.position - a.position), a.hint);
    const double alpha = a.alpha + (b.alpha - a.alpha) * f;
    Rgba c{0, 0, 0, alpha};
    for (int k = 0; k < 3; ++k) {
        if (g.premultiplied) {
            const double mixed = a.rgb[k] * a.alpha + (b.rgb[k] * b.alpha - a.rgb[k] * a.alpha) * f;
            c[k] = alpha > 0.0 ? mixed / alpha : 0.0;
        } else {
            c[k] = a.rgb[k] + (b.rgb[k] - a.rgb[k]) * f;
        }
    }
    return c;
}

// A stop within a billionth of the range of t counts as at t (palettes write 4/7 as
// 0.571428571429), so that a dot on a hard edge always takes the later colour.
double onStop(const Gradient& g, double t) {
    const double near = 1e-9 * std::fabs(g.to - g.from);
    const auto at = std::lower_bound(g.stops.begin(), g.stops.end(), t - near,
                                     [](const auto& s, double v) { return s.position < v; });
    return at != g.stops.end() && at->position <= t + near ? at->position : t;
}

} // namespace

std::vector<Rgb8> sampleGradient(const Gradient& g, int length, const Background& over) {
    std::vector<Rgb8> out(static_cast<std::size_t>(std::clamp(length, kMinDots, kMaxDots)));
    if (g.stops.empty() && !g.colorAt) {
        return out;
    }
    const int n = static_cast<int>(out.size());
    for (int j = 0; j < n; ++j) {
        const double f =
            g.pixelCentres || g.loop ? (j + 0.5) / n : static_cast<double>(j) / (n - 1);
        const double t = onStop(g, g.from + (g.to - g.from) * f);
        const Rgba c = g.colorAt ? g.colorAt(t) : stopsAt(g, t);
        const double a = std::clamp(c[3], 0.0, 1.0);
        const auto flat = [&](int k) { return toLevel(c[k] * a + over.rgb[k] * (1.0 - a)); };
        out[j] = {flat(0), flat(1), flat(2)};
    }
    return out;
}

std::vector<Rgb8> documentColors(const GradationDocument& doc) {
    std::vector<Rgb8> out(static_cast<std::size_t>(doc.length));
    for (int j = 0; j < doc.length; ++j) {
        out[j] = rgb8Of(mixedColor(doc.colorLine, j, doc.colorModel()));
    }
    return out;
}

} // namespace spectrane
