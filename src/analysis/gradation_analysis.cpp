#include "analysis/gradation_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace spectrane {

namespace {

// The hysteresis walk over n lightness values value(i): a peak (trough) is marked once the
// value has fallen (risen) from it by the tolerance. Leaves in `trend` 0 when the values never
// moved by the tolerance, else the direction at the end.
template <typename ValueAt, typename Mark>
int walkTurns(std::size_t n, ValueAt value, Mark mark, double tolerance, int& trend) {
    // A move counts when it reaches the tolerance and is a move at all (tolerance 0).
    const auto moved = [tolerance](double by) { return by > 0.0 && by >= tolerance; };
    int count = 0;
    trend = 0;
    double high = value(0);
    double low = high;
    std::size_t highDot = 0;
    std::size_t lowDot = 0;
    for (std::size_t j = 1; j < n; ++j) {
        const double v = value(j);
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
            mark(highDot);
            ++count;
            trend = -1;
            low = v;
            lowDot = j;
        } else if (trend < 0 && moved(v - low)) {
            mark(lowDot);
            ++count;
            trend = 1;
            high = v;
            highDot = j;
        }
    }
    return count;
}

// Index of step j + offset: wrapped round for a loop, -1 past an open gradation's ends.
std::ptrdiff_t stepAt(std::ptrdiff_t j, std::ptrdiff_t offset, std::ptrdiff_t n, bool loop) {
    const std::ptrdiff_t k = j + offset;
    if (loop) {
        return ((k % n) + n) % n;
    }
    return k >= 0 && k < n ? k : -1;
}

// Half-width of the smoothing window: twice the mean run of equal dots, at least 8 steps; a
// loop's window never reaches round to meet itself.
std::ptrdiff_t speedHalfWidth(std::span<const double> steps, bool loop) {
    const auto n = static_cast<std::ptrdiff_t>(steps.size());
    const auto moving = std::ranges::count_if(steps, [](double s) { return s > 0.0; });
    const double meanRun =
        static_cast<double>(n) / static_cast<double>(std::max<std::ptrdiff_t>(1, moving));
    std::ptrdiff_t h =
        std::max<std::ptrdiff_t>(8, static_cast<std::ptrdiff_t>(std::ceil(2.0 * meanRun)));
    if (loop) {
        h = std::min(h, std::max<std::ptrdiff_t>(1, (n - 1) / 2));
    }
    return h;
}

// Triangle-weighted mean of the steps within h of step j, without step j when `skipCentre`.
double windowMean(std::span<const double> steps, bool loop, std::ptrdiff_t j, std::ptrdiff_t h,
                  bool skipCentre) {
    const auto n = static_cast<std::ptrdiff_t>(steps.size());
    double sum = 0.0;
    double weight = 0.0;
    for (std::ptrdiff_t i = -h; i <= h; ++i) {
        const std::ptrdiff_t k = stepAt(j, i, n, loop);
        if (k < 0 || (skipCentre && i == 0)) {
            continue;
        }
        const auto w = static_cast<double>(h + 1 - std::abs(i));
        sum += w * steps[static_cast<std::size_t>(k)];
        weight += w;
    }
    return weight > 0.0 ? sum / weight : 0.0;
}

} // namespace

int findReversals(std::span<const LabColor> lab, std::span<bool> marks, double tolerance) {
    const std::size_t n = std::min(lab.size(), marks.size());
    std::fill(marks.begin(), marks.begin() + static_cast<std::ptrdiff_t>(n), false);
    if (n == 0) {
        return 0;
    }
    int trend = 0;
    return walkTurns(
        n, [&lab](std::size_t j) { return lab[j].l; }, [&marks](std::size_t j) { marks[j] = true; },
        tolerance, trend);
}

int findLoopReversals(std::span<const LabColor> lab, std::span<bool> marks, double tolerance) {
    const std::size_t n = std::min(lab.size(), marks.size());
    std::fill(marks.begin(), marks.begin() + static_cast<std::ptrdiff_t>(n), false);
    if (n < 2) {
        return 0;
    }
    // Once round from the lightest dot back to it: the walk then starts on a peak, and that
    // peak is the one turn it cannot see from inside.
    auto lightest = static_cast<std::size_t>(
        std::ranges::max_element(lab.first(n), {}, &LabColor::l) - lab.begin());
    // A flat top reaching round the end starts where it starts on the circle.
    for (std::size_t back = 0; back < n && lab[(lightest + n - 1) % n].l == lab[lightest].l;
         ++back) {
        lightest = (lightest + n - 1) % n;
    }
    const auto dot = [lightest, n](std::size_t i) { return (lightest + i) % n; };
    int trend = 0;
    int count = walkTurns(
        n + 1, [&](std::size_t i) { return lab[dot(i)].l; },
        [&](std::size_t i) { marks[dot(i)] = true; }, tolerance, trend);
    if (trend != 0) {
        marks[lightest] = true;
        ++count;
    }
    return count;
}

void perceptualSpeed(std::span<const double> steps, bool loop, std::span<double> speed) {
    const auto n = static_cast<std::ptrdiff_t>(std::min(steps.size(), speed.size()));
    const std::span<const double> used = steps.first(static_cast<std::size_t>(n));
    const std::ptrdiff_t h = speedHalfWidth(used, loop);
    const auto at = [&speed](std::ptrdiff_t j) -> double& {
        return speed[static_cast<std::size_t>(j)];
    };
    if (!loop && n <= 2 * h + 1) {
        // Too short for a whole window anywhere: one speed, the mean.
        double sum = 0.0;
        for (double s : used) {
            sum += s;
        }
        std::fill(speed.begin(), speed.begin() + n, n > 0 ? sum / static_cast<double>(n) : 0.0);
        return;
    }
    for (std::ptrdiff_t j = 0; j < n; ++j) {
        at(j) = windowMean(used, loop, j, h, false);
    }
    if (!loop) {
        // A window cut by an end would read the phase of the levels' steps as a change of
        // speed: the ends take the speed of the nearest whole window.
        std::fill(speed.begin(), speed.begin() + h, at(h));
        std::fill(speed.begin() + (n - h), speed.begin() + n, at(n - 1 - h));
    }
}

int findJumps(std::span<const double> steps, bool loop, std::span<bool> marks) {
    const auto n = static_cast<std::ptrdiff_t>(std::min(steps.size(), marks.size()));
    const std::span<const double> used = steps.first(static_cast<std::size_t>(n));
    const std::ptrdiff_t h = speedHalfWidth(used, loop);
    int count = 0;
    for (std::ptrdiff_t j = 0; j < n; ++j) {
        const double around = windowMean(used, loop, j, h, true);
        const double s = used[static_cast<std::size_t>(j)];
        const bool jump = s - around >= std::max(kJumpDeltaE, around);
        marks[static_cast<std::size_t>(j)] = jump;
        count += jump ? 1 : 0;
    }
    return count;
}

int findBands(std::span<const double> steps, bool loop, std::span<bool> marks) {
    const auto n = static_cast<std::ptrdiff_t>(steps.size());
    const auto dots = static_cast<std::ptrdiff_t>(marks.size());
    std::fill(marks.begin(), marks.end(), false);
    if (n == 0 || dots < (loop ? n : n + 1)) {
        return 0;
    }
    // A loop is scanned from just after a step that moves, so that no run wraps round the scan.
    std::ptrdiff_t origin = 0;
    if (loop) {
        const auto moving = std::ranges::find_if(steps, [](double s) { return s > 0.0; });
        if (moving == steps.end()) {
            return 0; // standing still everywhere: nothing changes around it
        }
        origin = (moving - steps.begin()) + 1;
    }
    const auto stepOf = [&](std::ptrdiff_t t) { return stepAt(origin, t, n, loop); };
    // Colour moved over `count` steps from step t on (or back from it, count < 0).
    const auto movedOver = [&](std::ptrdiff_t t, std::ptrdiff_t count) {
        double sum = 0.0;
        const std::ptrdiff_t dir = count < 0 ? -1 : 1;
        for (std::ptrdiff_t i = 0; i != count; i += dir) {
            const std::ptrdiff_t k = stepOf(t + i);
            if (k >= 0) {
                sum += steps[static_cast<std::size_t>(k)];
            }
        }
        return sum;
    };
    int count = 0;
    std::ptrdiff_t t = 0;
    while (t < n) {
        if (steps[static_cast<std::size_t>(stepOf(t))] > 0.0) {
            ++t;
            continue;
        }
        std::ptrdiff_t end = t; // zero steps t..end-1
        while (end < n && steps[static_cast<std::size_t>(stepOf(end))] == 0.0) {
            ++end;
        }
        const std::ptrdiff_t runDots = end - t + 1;
        if (runDots >= kMinBandDots &&
            (movedOver(t - 1, -runDots) >= kJumpDeltaE || movedOver(end, runDots) >= kJumpDeltaE)) {
            ++count;
            for (std::ptrdiff_t i = 0; i < runDots; ++i) {
                marks[static_cast<std::size_t>(loop ? (stepOf(t) + i) % n : t + i)] = true;
            }
        }
        t = end;
    }
    return count;
}

double uniformityOf(std::span<const double> speed) {
    if (speed.empty()) {
        return 1.0;
    }
    const auto [least, most] = std::ranges::minmax(speed);
    return most > 0.0 ? least / most : 1.0;
}

void summarizeAnalysis(GradationAnalysis& a) {
    const int l = std::clamp(a.length, kMinDots, kMaxDots);
    a.lightnessMin = a.lab[0].l;
    a.lightnessMax = a.lab[0].l;
    for (int j = 1; j < l; ++j) {
        a.lightnessMin = std::min(a.lightnessMin, a.lab[j].l);
        a.lightnessMax = std::max(a.lightnessMax, a.lab[j].l);
    }
    const auto lab = std::span(a.lab).first(static_cast<std::size_t>(l));
    const auto reversal = std::span(a.reversal).first(static_cast<std::size_t>(l));
    a.reversalCount = a.loop ? findLoopReversals(lab, reversal) : findReversals(lab, reversal);

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

    // The seam is one more step of a loop; an open gradation has L-1.
    const auto steps = static_cast<std::size_t>(a.loop ? l : l - 1);
    std::fill(a.speed.begin(), a.speed.end(), 0.0);
    std::fill(a.jump.begin(), a.jump.end(), false);
    perceptualSpeed(std::span(a.step).first(steps), a.loop, std::span(a.speed).first(steps));
    a.jumpCount = findJumps(std::span(a.step).first(steps), a.loop, std::span(a.jump).first(steps));
    std::fill(a.band.begin(), a.band.end(), false);
    a.bandCount = findBands(std::span(a.step).first(steps), a.loop,
                            std::span(a.band).first(static_cast<std::size_t>(l)));
    a.uniformity = uniformityOf(std::span(a.speed).first(steps));
}

} // namespace spectrane
