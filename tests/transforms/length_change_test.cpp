#include "transforms/length_change.h"

#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// Sets the control points of every channel and rebuilds anchors and levels.
std::unique_ptr<GradationDocument> documentWithControls(int length, int loop,
                                                        std::initializer_list<CurvePoint> points) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    doc->loop = loop;
    for (ChannelCurve& c : doc->channels) {
        c.pointCount = static_cast<int>(points.size());
        int i = 0;
        for (const CurvePoint& p : points) {
            c.controlPoints[i++] = p;
        }
    }
    // Different levels per channel, so a mixed-up channel shows.
    for (ChannelIndex ch = 1; ch < kChannelCount; ++ch) {
        for (int i = 0; i < doc->channels[ch].pointCount; ++i) {
            doc->channels[ch].controlPoints[i].y -= 30.0 * ch;
        }
    }
    rebuildAllCurves(*doc);
    return doc;
}

std::vector<CurvePoint> controls(const GradationDocument& doc, ChannelIndex ch) {
    const ChannelCurve& c = doc.channels[ch];
    return {c.controlPoints.begin(), c.controlPoints.begin() + c.pointCount};
}

TEST(LengthChange, EqualLengthsAndBadArgumentsChangeNothing) {
    auto doc = documentWithControls(512, 0, {{56, 300}, {200, 100}, {567, 200}});
    const auto before = controls(*doc, 1);
    for (int method = 0; method < 4; ++method) {
        EXPECT_TRUE(ChangeLength(*doc, {512, 512, static_cast<LengthChangeMethod>(method)}));
        EXPECT_EQ(controls(*doc, 1), before);
    }
    EXPECT_FALSE(ChangeLength(*doc, {300, 512, static_cast<LengthChangeMethod>(4)}));
    EXPECT_FALSE(ChangeLength(*doc, {1601, 512, static_cast<LengthChangeMethod>(0)}));
    EXPECT_FALSE(ChangeLength(*doc, {1, 512, static_cast<LengthChangeMethod>(0)}));
    EXPECT_EQ(controls(*doc, 1), before);
    EXPECT_EQ(doc->length, 512);
}

TEST(LengthChange, ScaleOpenAndLooped) {
    auto doc = documentWithControls(512, 0, {{56, 300}, {312, 100}, {400.5, 150}, {567, 200}});
    ASSERT_TRUE(ChangeLength(*doc, {1024, 512, kLengthScale}));
    EXPECT_EQ(doc->length, 1024);
    const auto c = controls(*doc, 2);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], (CurvePoint{56, 240}));
    EXPECT_EQ(c[1], (CurvePoint{568, 40}));
    EXPECT_EQ(c[2], (CurvePoint{56 + (344.5 * 1024) / 512, 90}));
    EXPECT_EQ(c[3], (CurvePoint{1079, 140}));

    auto loop = documentWithControls(512, 1, {{60, 300}, {312, 100}});
    ASSERT_TRUE(ChangeLength(*loop, {256, 512, kLengthScale}));
    EXPECT_EQ(controls(*loop, 0), (std::vector<CurvePoint>{{58, 300}, {184, 100}}));
}

TEST(LengthChange, ExtendStartAndEnd) {
    auto end = documentWithControls(512, 0, {{56, 300}, {200, 100}, {567, 200}});
    ASSERT_TRUE(ChangeLength(*end, {600, 512, kLengthFinishEnd}));
    EXPECT_EQ(controls(*end, 0), (std::vector<CurvePoint>{{56, 300}, {200, 100}, {655, 200}}));

    auto start = documentWithControls(512, 0, {{56, 300}, {200, 100}, {567, 200}});
    ASSERT_TRUE(ChangeLength(*start, {600, 512, kLengthStartEnd}));
    EXPECT_EQ(controls(*start, 0), (std::vector<CurvePoint>{{56, 300}, {288, 100}, {655, 200}}));

    auto loopEnd = documentWithControls(512, 1, {{60, 300}, {300, 100}});
    ASSERT_TRUE(ChangeLength(*loopEnd, {600, 512, kLengthFinishEnd}));
    EXPECT_EQ(controls(*loopEnd, 0), (std::vector<CurvePoint>{{60, 300}, {300, 100}}));
    auto loopStart = documentWithControls(512, 1, {{60, 300}, {300, 100}});
    ASSERT_TRUE(ChangeLength(*loopStart, {600, 512, kLengthStartEnd}));
    EXPECT_EQ(controls(*loopStart, 0), (std::vector<CurvePoint>{{148, 300}, {388, 100}}));
}

TEST(LengthChange, CutEndTakesTheOldLevelAtTheNewEnd) {
    auto doc = test::openDocumentFromAnchors(
        512, {{56, 300}, {150, 100}, {250, 200}, {355, 150}, {450, 80}, {567, 250}});
    // Fitting and deriving back may move the anchor by the last bits; the search must see
    // exactly 355.
    doc->channels[0].anchorPoints[3].x = 355;
    const auto before = controls(*doc, 0);
    const int oldY = doc->colorLine[0][299].y;
    ASSERT_TRUE(ChangeLength(*doc, {300, 512, kLengthFinishEnd}));
    const auto c = controls(*doc, 0);
    // The anchor at exactly 355 is not before the new end: it goes with those beyond.
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], before[0]);
    EXPECT_EQ(c[1], before[1]);
    EXPECT_EQ(c[2], before[2]);
    EXPECT_EQ(c[3], (CurvePoint{355, static_cast<double>(oldY)}));
}

TEST(LengthChange, CutStartMovesTheKeptPointsLeft) {
    auto doc = test::openDocumentFromAnchors(
        512, {{56, 300}, {150, 100}, {268, 200}, {300, 150}, {450, 80}, {567, 250}});
    doc->channels[1].anchorPoints[2].x = 268;
    const auto before = controls(*doc, 1);
    const int oldY = doc->colorLine[1][212].y;
    ASSERT_TRUE(ChangeLength(*doc, {300, 512, kLengthStartEnd}));
    const auto c = controls(*doc, 1);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0], (CurvePoint{56, static_cast<double>(oldY)}));
    for (int k = 1; k < 4; ++k) {
        EXPECT_EQ(c[k], (CurvePoint{56 + before[k + 2].x - 268, before[k + 2].y}));
    }
    EXPECT_EQ(c[3].x, 355);
}

TEST(LengthChange, BothEndsSplitsTheDifference) {
    // Lengthening 512 -> 601: 44 dots at the start, 45 at the end.
    auto open = documentWithControls(512, 0, {{56, 300}, {200, 100}, {567, 200}});
    ASSERT_TRUE(ChangeLength(*open, {601, 512, kLengthBothEnds}));
    EXPECT_EQ(controls(*open, 0), (std::vector<CurvePoint>{{56, 300}, {244, 100}, {656, 200}}));
    auto loop = documentWithControls(512, 1, {{60, 300}, {300, 100}});
    ASSERT_TRUE(ChangeLength(*loop, {601, 512, kLengthBothEnds}));
    EXPECT_EQ(controls(*loop, 0), (std::vector<CurvePoint>{{104, 300}, {344, 100}}));

    // Shortening 600 -> 511: 45 cut at the start, then 44 at the end of the curve as the start
    // cut left it.
    for (int looped = 0; looped < 2; ++looped) {
        SCOPED_TRACE(looped);
        auto doc = looped ? documentWithControls(600, 1,
                                                 {{70, 300},
                                                  {90, 250},
                                                  {200, 100},
                                                  {400, 90},
                                                  {560, 150},
                                                  {600, 200},
                                                  {640, 120}})
                          : documentWithControls(600, 0,
                                                 {{56, 300},
                                                  {90, 250},
                                                  {200, 100},
                                                  {400, 90},
                                                  {560, 150},
                                                  {600, 200},
                                                  {655, 120}});
        auto stepwise = std::make_unique<GradationDocument>(*doc);
        const int oldStartY = doc->colorLine[0][45].y;
        ASSERT_TRUE(ChangeLength(*stepwise, {555, 600, kLengthStartEnd}));
        rebuildAllCurves(*stepwise);
        const int midEndY = stepwise->colorLine[0][510].y;
        ASSERT_TRUE(ChangeLength(*stepwise, {511, 555, kLengthFinishEnd}));

        ASSERT_TRUE(ChangeLength(*doc, {511, 600, kLengthBothEnds}));
        EXPECT_EQ(doc->length, 511);
        EXPECT_EQ(doc->loop, looped);
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            EXPECT_EQ(controls(*doc, ch), controls(*stepwise, ch));
        }
        if (!looped) {
            const auto c = controls(*doc, 0);
            EXPECT_EQ(c.front(), (CurvePoint{56, static_cast<double>(oldStartY)}));
            EXPECT_EQ(c.back(), (CurvePoint{566, static_cast<double>(midEndY)}));
        }
    }
}

TEST(LengthChange, LoopCutsKeepAtLeastOnePoint) {
    // Every anchor before the cut: the last point stays.
    auto start = documentWithControls(512, 1, {{60, 300}, {70, 100}, {80, 200}});
    ASSERT_TRUE(ChangeLength(*start, {100, 512, kLengthStartEnd}));
    EXPECT_EQ(controls(*start, 0), (std::vector<CurvePoint>{{56 + 80 - 468, 200}}));
    rebuildAllCurves(*start);

    // Every anchor beyond the new end: the first point stays.
    auto end = documentWithControls(512, 1, {{500, 300}, {530, 100}, {560, 200}});
    ASSERT_TRUE(ChangeLength(*end, {100, 512, kLengthFinishEnd}));
    EXPECT_EQ(controls(*end, 2), (std::vector<CurvePoint>{{500, 240}}));

    auto both = documentWithControls(512, 1, {{500, 300}, {530, 100}, {560, 200}});
    ASSERT_TRUE(ChangeLength(*both, {2, 512, kLengthBothEnds}));
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_GE(both->channels[ch].pointCount, 1);
    }
    rebuildAllCurves(*both);
}

TEST(LengthChange, OpenCutToTwoDotsKeepsTwoPoints) {
    for (int method = 0; method < 4; ++method) {
        SCOPED_TRACE(method);
        auto doc = documentWithControls(
            1600, 0, {{56, 300}, {400, 100}, {800, 200}, {1200, 90}, {1655, 200}});
        ASSERT_TRUE(ChangeLength(*doc, {2, 1600, static_cast<LengthChangeMethod>(method)}));
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            const auto c = controls(*doc, ch);
            ASSERT_GE(c.size(), 2u);
            EXPECT_EQ(c.front().x, 56);
            EXPECT_EQ(c.back().x, 57);
        }
        rebuildAllCurves(*doc);
    }
}

} // namespace
} // namespace spectrane
