// Evening out the perceptual steps, judged by the analysis' own uniformity figure (its smoothed
// speed, minimum over maximum), taken in the metric the steps were evened in.
#include "analysis/even_steps.h"
#include "model/gradation_render.h"
#include "model/oklab.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

namespace spectrane {
namespace {

const Analyzer& analyzer() {
    static const Analyzer a;
    return a;
}

// The analysis' uniformity of the gradation `colors`; for OKLab, the same figure from the
// analysis' smoothing of the OKLab steps.
double uniformity(const std::vector<Color>& colors, bool loop, StepMetric metric) {
    const std::size_t n = colors.size();
    if (metric == StepMetric::Ciede2000) {
        const auto doc = test::dotsDocument(
            static_cast<int>(n), [&](int j) { return colors[j]; }, loop);
        const auto a = std::make_unique<GradationAnalysis>();
        analyzer().analyze(*doc, *a);
        return a->uniformity;
    }
    std::vector<double> step(loop ? n : n - 1);
    std::vector<double> speed(step.size());
    for (std::size_t k = 0; k < step.size(); ++k) {
        step[k] = deltaEOK(oklabOf(colors[k]), oklabOf(colors[(k + 1) % n]));
    }
    perceptualSpeed(step, loop, speed);
    return uniformityOf(speed);
}

// Random gradations come out more even in either metric (8-bit codes limit any resampling: a
// floor and a median), with the first colour and an open path's last kept.
TEST(EvenSteps, RandomGradationsComeOutEven) {
    for (const auto& [metric, floor, median] :
         {std::tuple(StepMetric::Ciede2000, 0.45, 0.78), std::tuple(StepMetric::Oklab, 0.7, 0.8)}) {
        std::vector<double> after;
        for (std::uint32_t seed = 1; seed <= 8; ++seed) {
            const bool loop = seed % 2 == 0;
            const int length = 200 + static_cast<int>(seed * 277 % 1401);
            const auto doc = test::randomDocument(length, seed, loop);
            std::vector<Color> in(static_cast<std::size_t>(length));
            for (int j = 0; j < length; ++j) {
                in[j] = mixedColor(doc->colorLine, j, {});
            }
            const auto out = evenOutSteps(analyzer(), in, loop, metric);
            ASSERT_EQ(out.size(), in.size());
            EXPECT_TRUE(out.front() == in.front() && (loop || out.back() == in.back())) << seed;
            after.push_back(uniformity(out, loop, metric));
            EXPECT_GE(after.back(), std::max(floor, uniformity(in, loop, metric))) << seed;
        }
        std::nth_element(after.begin(), after.begin() + 4, after.end());
        EXPECT_GE(after[4], median) << static_cast<int>(metric);
    }
}

// The grey whose OKLab lightness is nearest to l, by trying them all.
int nearestGrey(double l) {
    int best = 0;
    for (int v = 1; v < 256; ++v) {
        if (std::abs(oklabOf(rgb(v, v, v)).l - l) <
            std::abs(oklabOf(rgb(best, best, best)).l - l)) {
            best = v;
        }
    }
    return best;
}

// Still paths and two colours stay; a black-to-white edge becomes a rising grey ramp, in OKLab
// dot j the grey nearest to lightness j / (L - 1) give or take 2 codes (sparse near black).
TEST(EvenSteps, StillPathsStayAndAHardEdgeBecomesARamp) {
    for (StepMetric metric : {StepMetric::Ciede2000, StepMetric::Oklab}) {
        for (bool loop : {false, true}) {
            const std::vector<Color> still(300, rgb(40, 90, 200));
            EXPECT_EQ(evenOutSteps(analyzer(), still, loop, metric), still);
            const std::vector<Color> two = {rgb(0, 0, 0), rgb(250, 20, 30)};
            EXPECT_EQ(evenOutSteps(analyzer(), two, loop, metric), two);
        }
        for (int length : {300, 1600}) {
            std::vector<Color> edge(static_cast<std::size_t>(length), rgb(0, 0, 0));
            std::fill(edge.begin() + length / 2, edge.end(), rgb(255, 255, 255));
            const auto out = evenOutSteps(analyzer(), edge, false, metric);
            for (int j = 0; j < length; ++j) {
                const Color c = out[j];
                ASSERT_TRUE(redOf(c) == greenOf(c) && greenOf(c) == blueOf(c)) << j;
                ASSERT_GE(redOf(c), j > 0 ? redOf(out[j - 1]) : 0) << j;
                if (metric == StepMetric::Oklab) {
                    ASSERT_LE(std::abs(redOf(c) - nearestGrey(j / (length - 1.0))), 2) << j;
                }
            }
            if (metric == StepMetric::Ciede2000) {
                EXPECT_GE(uniformity(out, false, metric), 0.75) << length;
            }
        }
    }
}

} // namespace
} // namespace spectrane
