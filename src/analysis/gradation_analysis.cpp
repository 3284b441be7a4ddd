#include "analysis/gradation_analysis.h"

#include <algorithm>

namespace spectrane {

int findReversals(std::span<const LabColor> lab, std::span<bool> marks, double tolerance) {
    const std::size_t n = std::min(lab.size(), marks.size());
    std::fill(marks.begin(), marks.begin() + static_cast<std::ptrdiff_t>(n), false);
    if (n == 0) {
        return 0;
    }
    // A move counts when it reaches the tolerance and is a move at all (tolerance 0).
    const auto moved = [tolerance](double by) { return by > 0.0 && by >= tolerance; };
    int count = 0;
    int trend = 0; // 0 until L* has first moved by the tolerance, then +1 rising, -1 falling
    double high = lab[0].l;
    double low = lab[0].l;
    std::size_t highDot = 0;
    std::size_t lowDot = 0;
    for (std::size_t j = 1; j < n; ++j) {
        const double v = lab[j].l;
        if (trend >= 0 && v > high) {
            high = v;
            highDot = j;
        }
        if (trend <= 0 && v < low) {
            low = v;
            lowDot = j;
        }
        if (trend == 0) {
            if (moved(high - low)) {
                trend = highDot > lowDot ? 1 : -1;
            }
        } else if (trend > 0 && moved(high - v)) {
            marks[highDot] = true;
            ++count;
            trend = -1;
            low = v;
            lowDot = j;
        } else if (trend < 0 && moved(v - low)) {
            marks[lowDot] = true;
            ++count;
            trend = 1;
            high = v;
            highDot = j;
        }
    }
    return count;
}

void summarizeAnalysis(GradationAnalysis& a) {
    const int l = std::clamp(a.length, kMinDots, kMaxDots);
    a.lightnessMin = a.lab[0].l;
    a.lightnessMax = a.lab[0].l;
    for (int j = 1; j < l; ++j) {
        a.lightnessMin = std::min(a.lightnessMin, a.lab[j].l);
        a.lightnessMax = std::max(a.lightnessMax, a.lab[j].l);
    }
    a.reversalCount = findReversals(std::span(a.lab).first(l), std::span(a.reversal).first(l));

    double sum = 0.0;
    a.deltaEMax = a.step[0];
    a.deltaEMaxDot = 0;
    for (int j = 0; j < l - 1; ++j) {
        sum += a.step[j];
        if (a.step[j] > a.deltaEMax) {
            a.deltaEMax = a.step[j];
            a.deltaEMaxDot = j;
        }
    }
    a.deltaEMean = sum / (l - 1);
    if (!a.loop) {
        a.step[l - 1] = 0.0;
    }
    a.seamDeltaE = a.step[l - 1];

    // A step exactly twice the mean is not a jump; a flat gradation (mean 0) has none.
    a.jumpCount = 0;
    const double threshold = 2.0 * a.deltaEMean;
    for (int j = 0; j < l; ++j) {
        a.jump[j] = a.step[j] > threshold && a.step[j] > 0.0;
        a.jumpCount += a.jump[j] ? 1 : 0;
    }
}

} // namespace spectrane
