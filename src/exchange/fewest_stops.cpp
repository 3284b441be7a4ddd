#include "exchange/fewest_stops.h"

#include <array>
#include <climits>
#include <cstdint>

namespace spectrane {

namespace {

// num / den with den > 0, compared exactly by cross products (all terms stay far below 2^40).
struct Fraction {
    std::int64_t num;
    std::int64_t den;
};

bool less(Fraction a, Fraction b) {
    return a.num * b.den < b.num * a.den;
}

// The open interval of slopes, in levels per dot, that keep every dot seen so far within
// reach of a segment that starts at one fixed stop.
struct SlopeWindow {
    bool bounded = false;
    Fraction lo{0, 1};
    Fraction hi{0, 1};

    bool admits(Fraction s) const { return !bounded || (less(lo, s) && less(s, hi)); }
    void narrow(Fraction l, Fraction h) {
        if (!bounded || less(lo, l)) {
            lo = l;
        }
        if (!bounded || less(h, hi)) {
            hi = h;
        }
        bounded = true;
    }
    bool empty() const { return bounded && !less(lo, hi); }
};

} // namespace

std::vector<int> fewestStops(std::span<const Rgb8> colors, int tolerance, bool slack) {
    const int n = static_cast<int>(colors.size());
    if (n <= 1) {
        return n == 1 ? std::vector<int>{0} : std::vector<int>{};
    }
    // A dot j between stops a and b is reproduced when |c_a + s (j - a) - c_j| < T + 1/2 for
    // the slope s = (c_b - c_a) / (b - a), that is when s lies strictly between
    // (2 (c_j - c_a) -+ (2T + 1)) / (2 (j - a)). Walking b away from a, the window of such
    // slopes only narrows, so each segment's validity costs O(1) and the walk stops once the
    // window is empty.
    const std::int64_t width =
        2 * static_cast<std::int64_t>(tolerance) + (slack && tolerance > 0 ? 0 : 1);
    std::vector<int> count(n, INT_MAX);
    std::vector<int> from(n, -1);
    count[0] = 1;
    for (int a = 0; a + 1 < n; ++a) {
        std::array<SlopeWindow, 3> window{};
        for (int b = a + 1; b < n; ++b) {
            const std::int64_t den = 2 * static_cast<std::int64_t>(b - a);
            bool valid = true;
            bool empty = false;
            for (int c = 0; c < 3; ++c) {
                const std::int64_t rise =
                    2 * static_cast<std::int64_t>(colors[b][c] - colors[a][c]);
                valid = valid && window[c].admits({rise, den});
                window[c].narrow({rise - width, den}, {rise + width, den});
                empty = empty || window[c].empty();
            }
            if (valid && count[a] + 1 < count[b]) {
                count[b] = count[a] + 1;
                from[b] = a;
            }
            if (empty) {
                break;
            }
        }
    }
    std::vector<int> stops(static_cast<std::size_t>(count[n - 1]));
    for (int at = n - 1, k = count[n - 1] - 1; k >= 0; at = from[at], --k) {
        stops[k] = at;
    }
    return stops;
}

} // namespace spectrane
