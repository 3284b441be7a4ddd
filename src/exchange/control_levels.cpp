#include "exchange/control_levels.h"

#include "model/spline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace spectrane {

namespace {

// Pulls every control point gently toward its present level, so that one no dot depends on
// stays put and the normal equations are always positive definite.
constexpr double kRidge = 1e-6;

// Solves the symmetric positive definite system in `work` in place (Cholesky within each
// row's profile: a band of two, plus the last two rows of a loop, which reach column 0).
bool solveProfile(ControlLevelsWork& work, int n) {
    std::vector<double>& a = work.matrix;
    const auto at = [&](int i, int j) -> double& { return a[static_cast<std::size_t>(i) * n + j]; };
    for (int i = 0; i < n; ++i) {
        for (int j = work.firstColumn[i]; j <= i; ++j) {
            double sum = at(i, j);
            for (int k = std::max(work.firstColumn[i], work.firstColumn[j]); k < j; ++k) {
                sum -= at(i, k) * at(j, k);
            }
            if (j == i) {
                if (!(sum > 0.0)) {
                    return false;
                }
                at(i, i) = std::sqrt(sum);
            } else {
                at(i, j) = sum / at(j, j);
            }
        }
    }
    std::vector<double>& x = work.rhs;
    for (int i = 0; i < n; ++i) {
        for (int k = work.firstColumn[i]; k < i; ++k) {
            x[i] -= at(i, k) * x[k];
        }
        x[i] /= at(i, i);
    }
    for (int i = n - 1; i >= 0; --i) {
        x[i] /= at(i, i);
        for (int k = work.firstColumn[i]; k < i; ++k) {
            x[k] -= at(i, k) * x[i];
        }
    }
    return std::all_of(x.begin(), x.begin() + n, [](double v) { return std::isfinite(v); });
}

} // namespace

bool fitControlLevels(ChannelCurve& curve, int length, bool loop, std::span<const double> wantedY,
                      ControlLevelsWork& work) {
    const int n = curve.pointCount;
    if (n < (loop ? 2 : 3)) {
        return false;
    }
    auto& c = curve.controlPoints;
    const std::size_t cells = static_cast<std::size_t>(n) * n;
    work.matrix.assign(cells, 0.0);
    work.rhs.assign(n, 0.0);
    work.firstColumn.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        work.matrix[static_cast<std::size_t>(i) * n + i] = kRidge;
        work.rhs[i] = kRidge * c[i].y;
        work.firstColumn[i] = std::max(0, i - 2);
    }
    if (loop) {
        for (int i = std::max(0, n - 2); i < n; ++i) {
            work.firstColumn[i] = 0;
        }
    }
    const auto add = [&](int i, int j, double v) {
        work.matrix[static_cast<std::size_t>(i) * n + j] += v;
    };
    const int first = loop ? 0 : 1;
    const int last = loop ? n - 1 : n - 2;
    for (int s = first; s <= last; ++s) {
        const WholeSegment seg =
            loop ? loopSegmentPoints(curve, length, s) : openSegmentPoints(curve, s);
        // The segment's start, middle and end levels as weights on control points
        // s-1, s, s+1 (taken modulo n on a loop): the ends are midpoints of neighbours, except
        // at the ends of an open curve, which are its first and last control points.
        const std::array<int, 3> index{(s - 1 + n) % n, s, (s + 1) % n};
        const bool openStart = !loop && s == 1;
        const bool openEnd = !loop && s == n - 2;
        const std::array<double, 3> startW{openStart ? 1.0 : 0.5, openStart ? 0.0 : 0.5, 0.0};
        const std::array<double, 3> endW{0.0, openEnd ? 0.0 : 0.5, openEnd ? 1.0 : 0.5};
        visitQuadSegmentDots(length, seg, s == first, loop ? SegmentForm::Loop : SegmentForm::Open,
                             [&](int dot, double t) {
                                 const double ws = (1.0 - t) * (1.0 - t);
                                 const double wp = 2.0 * t * (1.0 - t);
                                 const double we = t * t;
                                 std::array<double, 3> w;
                                 for (int k = 0; k < 3; ++k) {
                                     w[k] = ws * startW[k] + we * endW[k] + (k == 1 ? wp : 0.0);
                                 }
                                 for (int k = 0; k < 3; ++k) {
                                     work.rhs[index[k]] += w[k] * wantedY[dot];
                                     for (int l = 0; l < 3; ++l) {
                                         // Lower triangle; a point met twice (a loop of two)
                                         // collects both of its cross terms this way.
                                         if (index[k] >= index[l]) {
                                             add(index[k], index[l], w[k] * w[l]);
                                         }
                                     }
                                 }
                             });
    }
    if (!solveProfile(work, n)) {
        return false;
    }
    for (int i = 0; i < n; ++i) {
        c[i].y = work.rhs[i];
    }
    return true;
}

} // namespace spectrane
