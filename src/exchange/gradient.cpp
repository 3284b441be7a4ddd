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

std::vector<Rgb8> sampleGradient(const Gradient& g, int length) {
    std::vector<Rgb8> out(static_cast<std::size_t>(std::clamp(length, kMinDots, kMaxDots)));
    const auto& stops = g.stops;
    if (stops.empty()) {
        return out;
    }
    const int last = static_cast<int>(out.size()) - 1;
    for (int j = 0; j <= last; ++j) {
        const double t = g.loop ? g.from + (g.to - g.from) * (j + 0.5) / (last + 1)
                                : g.from + (g.to - g.from) * j / last;
        // The first stop beyond t; a dot on a hard edge thus lies after it.
        const auto next = std::upper_bound(stops.begin(), stops.end(), t,
                                           [](double v, const auto& s) { return v < s.position; });
        std::array<double, 3> c;
        if (next == stops.begin()) {
            c = stops.front().rgb;
        } else if (next == stops.end()) {
            c = stops.back().rgb;
        } else {
            const GradientStop& a = *(next - 1);
            const double f = blendWeight((t - a.position) / (next->position - a.position), a.hint);
            for (int k = 0; k < 3; ++k) {
                c[k] = a.rgb[k] + (next->rgb[k] - a.rgb[k]) * f;
            }
        }
        out[j] = {toLevel(c[0]), toLevel(c[1]), toLevel(c[2])};
    }
    return out;
}

std::vector<Rgb8> documentColors(const GradationDocument& doc) {
    std::vector<Rgb8> out(static_cast<std::size_t>(doc.length));
    for (int j = 0; j < doc.length; ++j) {
        const Color c = mixedColor(doc.colorLine, j, doc.cmy);
        out[j] = {static_cast<std::uint8_t>(redOf(c)), static_cast<std::uint8_t>(greenOf(c)),
                  static_cast<std::uint8_t>(blueOf(c))};
    }
    return out;
}

} // namespace spectrane
