#include "analysis/analyzer.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace spectrane {
namespace {

TEST(FindReversals, MarksTurnsOfAtLeastTheToleranceOnly) {
    struct Row {
        std::vector<double> lightness;
        std::vector<int> marked;
    };
    const Row rows[] = {
        {{10, 20, 30, 40, 50}, {}},         {{50, 40, 30, 35, 45}, {2}}, // V: its bottom
        {{10, 20, 30, 30, 30, 20}, {2}},                                 // flat top: its first dot
        {{10, 20, 10, 20, 10}, {1, 2, 3}},                               // zigzag
        {{10, 10.6, 10.2, 10.9, 11.5}, {}}, // 8-bit jitter while rising
        {{10, 20, 19, 25}, {1, 2}},         // a dip of exactly 1: down and up again
        {{10, 20, 19.01, 25}, {}},          // 0.99 does not
        {{40, 39.5, 40.2, 30, 20}, {}},     // moves under 1 before the trend is known
    };
    for (const Row& r : rows) {
        std::vector<LabColor> lab;
        for (double l : r.lightness) {
            lab.push_back({l, 0, 0});
        }
        std::vector<bool> expected(lab.size(), false);
        for (int j : r.marked) {
            expected[j] = true;
        }
        bool marks[8] = {};
        EXPECT_EQ(findReversals(lab, std::span(marks, lab.size())),
                  static_cast<int>(r.marked.size()));
        EXPECT_EQ(std::vector<bool>(marks, marks + lab.size()), expected) << r.lightness[1];
    }
}

// A grey document whose dot j has level level(j) in all three channels.
template <typename Level>
std::unique_ptr<GradationDocument> greyDocument(int length, bool loop, Level level) {
    auto doc = test::flatLevels(length, 0, 0, 0);
    doc->loop = loop;
    for (int j = 0; j < length; ++j) {
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(level(j));
        }
    }
    return doc;
}

TEST(Analyzer, StepsSeamJumpsAndEndsOfWholeDocuments) {
    const Analyzer analyzer;
    auto a = std::make_unique<GradationAnalysis>();
    // Black up to dot 99, white from dot 100: one step of CIEDE2000 100 (only L* differs by
    // 100, weighted 1 at the mid-lightness 50).
    for (const bool loop : {false, true}) {
        analyzer.analyze(*greyDocument(300, loop, [](int j) { return j < 100 ? 0 : 255; }), *a);
        EXPECT_NEAR(a->lightnessMin, 0, 1e-4);
        EXPECT_NEAR(a->lightnessMax, 100, 1e-4);
        EXPECT_TRUE(a->lightnessMonotonic());
        EXPECT_NEAR(a->deltaEMax, 100, 1e-3);
        EXPECT_EQ(a->deltaEMaxDot, 99);
        EXPECT_NEAR(a->deltaEMean, 100.0 / 299, 1e-5);
        EXPECT_NEAR(a->seamDeltaE, loop ? 100 : 0, 1e-3);
        EXPECT_EQ(a->jumpCount, loop ? 2 : 1);
        EXPECT_TRUE(a->jump[99]);
        EXPECT_EQ(a->jump[299], loop);
        for (double ends : a->endsDeltaE) {
            EXPECT_NEAR(ends, 100, 1e-3); // greys stay greys for every deficiency
        }
    }
    // A V of lightness, turning at dot 60; CMY shows the complement, so the levels' V is an
    // inverted V of the colour, turning at the same dot.
    auto v = greyDocument(121, false, [](int j) { return 40 + 2 * std::abs(j - 60); });
    for (const bool cmy : {false, true}) {
        v->cmy = cmy;
        analyzer.analyze(*v, *a);
        EXPECT_EQ(a->displayed[0], cmy ? rgb(95, 95, 95) : rgb(160, 160, 160));
        EXPECT_EQ(a->reversalCount, 1);
        EXPECT_TRUE(a->reversal[60]);
        EXPECT_EQ(a->jumpCount, 0);
    }
    // Red to green: both ends look alike to a deuteranope, not to a tritanope.
    auto rg = test::flatLevels(64, 255, 0, 0);
    rg->colorLine[0][63].y = CanvasGeometry::levelY(0);
    rg->colorLine[1][63].y = CanvasGeometry::levelY(255);
    analyzer.analyze(*rg, *a);
    EXPECT_LT(a->endsDeltaE[1], 25);
    EXPECT_GT(a->endsDeltaE[2], 60);
}

} // namespace
} // namespace spectrane
