// Evening out the perceptual steps on worked cases (random gradations: the equalize tests),
// judged by the analysis' own uniformity figure.
#include "analysis/even_steps.h"
#include "model/oklab.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace spectrane {
namespace {

const Analyzer& analyzer() {
    static const Analyzer a;
    return a;
}

// The analysis' uniformity (CIEDE2000) of an open gradation of `colors`.
double uniformity(const std::vector<Color>& colors) {
    const auto doc =
        test::dotsDocument(static_cast<int>(colors.size()), [&](int j) { return colors[j]; });
    const auto a = std::make_unique<GradationAnalysis>();
    analyzer().analyze(*doc, *a);
    return a->uniformity;
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
                EXPECT_GE(uniformity(out), 0.75) << length;
            }
        }
    }
}

} // namespace
} // namespace spectrane
