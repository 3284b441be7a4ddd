#include "model/spline.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace spectrane {
namespace {

using test::makeDocument;
using test::Points;

int level(const GradationDocument& doc, ChannelIndex ch, int dot) {
    return doc.colorLine.level(ch, dot);
}

// The three-anchor worked example, levels computed by hand from the quadratic through
// (56, 320), (310, -190), (567, 320).
TEST(Spline, WorkedExampleEvaluatesToTheHandComputedLevels) {
    auto doc = makeDocument(512, Points::OpenAnchors, {{56, 320}, {311, 65}, {567, 320}});
    const int dots[] = {0, 1, 32, 64, 128, 254, 255, 256, 300, 383, 450, 510, 511};
    const int levels[] = {0, 2, 60, 112, 192, 255, 255, 255, 247, 191, 107, 2, 0};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int k = 0; k < 13; ++k) {
            EXPECT_EQ(level(*doc, ch, dots[k]), levels[k]) << "dot " << dots[k];
        }
        for (int j = 0; j < 512; ++j) {
            ASSERT_EQ(doc->colorLine[ch][j].x, 56 + j);
            ASSERT_TRUE(level(*doc, ch, j) >= 0 && level(*doc, ch, j) <= 255) << j;
        }
    }
    // c1 = 2 (d1 - (d0 + d2) / 4); the segment's points are truncated to whole numbers.
    const ChannelCurve& c = doc->channels[0];
    EXPECT_EQ(c.controlPoints[1], (CurvePoint{310.5, -190}));
    EXPECT_EQ(c.anchorPoints[1], (CurvePoint{311, 65}));
    const WholeSegment seg = openSegmentPoints(c, 1);
    EXPECT_EQ(seg.start, (WholePoint{56, 320}));
    EXPECT_EQ(seg.middle, (WholePoint{310, -190}));
    EXPECT_EQ(seg.end, (WholePoint{567, 320}));
}

// Anchors on one straight level line: every dot's level and every control point lie on it
// (offset + dot * rise / run), exactly (the floor of it) or within a tolerance.
TEST(Spline, AnchorsOnALineGiveThatLineAtEveryDot) {
    struct Row {
        int length;
        std::vector<CurvePoint> anchors;
        double offset, rise, run, tolerance;
    };
    const Row rows[] = {
        {512, {{56, 320}, {567, 65}}, 0, 255, 511, 0}, // two points: an exact integer line
        {512,
         {{56, 192}, {150, 192}, {300, 192}, {420, 192}, {500, 192}, {567, 192}},
         128,
         0,
         1,
         0},
        {1024, {{56, 320}, {256, 270}, {456, 220}, {856, 120}, {1079, 64.25}}, 0, 1, 4, 1.01},
    };
    for (const Row& r : rows) {
        const auto ideal = [&](double dot) { return r.offset + dot * r.rise / r.run; };
        auto doc = makeDocument(r.length, Points::OpenAnchors, r.anchors);
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            for (int j = 0; j < r.length; ++j) {
                const int v = level(*doc, ch, j);
                ASSERT_TRUE(r.tolerance > 0 ? std::abs(v - ideal(j)) <= r.tolerance
                                            : v == std::floor(ideal(j)))
                    << r.length << " dot " << j;
            }
            for (int i = 0; i < doc->channels[ch].pointCount; ++i) {
                const CurvePoint c = doc->channels[ch].controlPoints[i];
                EXPECT_NEAR(320 - c.y, ideal(c.x - 56), 1e-9) << r.length << " control " << i;
            }
        }
    }
}

TEST(Spline, FittedControlPointsGiveTheAnchorsBack) {
    const std::vector<CurvePoint> anchors = {{56, 100},    {140.25, 300.5}, {300, 40},
                                             {333.3, 350}, {900, 200},      {1655, 70}};
    auto doc = makeDocument(1600, Points::OpenAnchors, anchors);
    const ChannelCurve& c = doc->channels[0];
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(c.anchorPoints[i].x, anchors[i].x, 1e-9) << i;
        EXPECT_NEAR(c.anchorPoints[i].y, anchors[i].y, 1e-9) << i;
    }
    // The tridiagonal system itself, first, middle and last rows.
    const auto& p = c.controlPoints;
    EXPECT_NEAR(5 * p[1].x + p[2].x, 8 * anchors[1].x - 2 * anchors[0].x, 1e-9);
    EXPECT_NEAR(p[1].y + 6 * p[2].y + p[3].y, 8 * anchors[2].y, 1e-9);
    EXPECT_NEAR(p[3].x + 5 * p[4].x, 8 * anchors[4].x - 2 * anchors[5].x, 1e-9);
}

// Run under UBSan too: nothing overflows, however far out the control points lie.
TEST(Spline, AnyControlPointsGiveLevelsAndAnchorsInRange) {
    auto zig = makeDocument(512, Points::OpenAnchors,
                            {{56, 320}, {100, 40}, {140, 350}, {180, 40}, {567, 320}});
    bool sawTop = false;
    bool sawBottom = false;
    for (int j = 0; j < 512; ++j) {
        const int v = level(*zig, 0, j);
        ASSERT_TRUE(v >= 0 && v <= 255) << j;
        sawTop |= v == 255;
        sawBottom |= v == 0;
    }
    EXPECT_TRUE(sawTop && sawBottom) << "overshoot is clamped, not wrapped";

    const double max = std::numeric_limits<double>::max();
    for (const double v : {1e300, -1e300, 4e9, -4e9, max, 250.0 /* folds back */}) {
        for (const Points form : {Points::OpenControls, Points::LoopControls}) {
            auto doc = makeDocument(300, form, {{56, 200}, {v, v}, {120, -v}, {355, 80}});
            for (int j = 0; j < 300; ++j) {
                ASSERT_TRUE(doc->colorLine[1][j].y >= 65 && doc->colorLine[1][j].y <= 320) << j;
            }
            for (int i = 0; i < 4; ++i) {
                const double y = doc->channels[1].anchorPoints[i].y;
                ASSERT_TRUE(y >= 32 && y <= 351) << i;
            }
            doc->loop ? reevaluateLoopLocal(*doc, 1, 1) : reevaluateOpenLocal(*doc, 1, 1);
        }
    }

    // Anchors are clamped to x 56..L+55 and y 32..351 (level 288..-31); open ends in y only.
    auto clamped =
        makeDocument(200, Points::OpenControls, {{56, 340}, {-200, -900}, {400, 1200}, {255, 30}});
    const auto& a = clamped->channels[0].anchorPoints;
    EXPECT_EQ(a[0], (CurvePoint{56, 340}));
    EXPECT_EQ(a[1], (CurvePoint{56, 32}));
    EXPECT_EQ(a[2], (CurvePoint{255, 351}));
    EXPECT_EQ(a[3], (CurvePoint{255, 32}));
}

// Every dot of a loop curve is written, however its segments fall over the period.
TEST(Spline, LoopCurvesWriteEveryDot) {
    struct Row {
        int length;
        std::vector<CurvePoint> controls;
        int flatLevel; // -1: not flat
    };
    const Row rows[] = {
        {400, {{150.7, 100}, {280.2, 300}, {420.9, 150}}, -1}, // segment 0 starts right of dot 0
        {100, {{56, 200.9}}, 120},
        {100, {{93, 200.9}}, 120},
        {100, {{155, 200.9}}, 120},
        {100, {{80, 100}, {130, 300}}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.controls.size());
        auto doc = makeDocument(row.length, Points::LoopControls, row.controls);
        for (int j = 0; j < row.length; ++j) {
            doc->colorLine[0][j].y = -1; // a mark no evaluation writes
        }
        evaluateChannel(*doc, 0);
        for (int j = 0; j < row.length; ++j) {
            ASSERT_NE(doc->colorLine[0][j].y, -1) << "dot " << j << " not written";
            ASSERT_TRUE(row.flatLevel < 0 || level(*doc, 0, j) == row.flatLevel) << j;
        }
        if (row.controls.size() == 1) {
            EXPECT_EQ(doc->channels[0].anchorPoints[0], row.controls[0]);
        }
    }
    // Segment n-1 ends one period after segment 0 starts, at floor((floor(420.9 - 400) + 150)
    // / 2) = 85, and the curve is smooth across that seam.
    auto doc = makeDocument(400, Points::LoopControls, rows[0].controls);
    const WholeSegment first = loopSegmentPoints(doc->channels[0], 400, 0);
    EXPECT_EQ(first.start.x, 85);
    EXPECT_EQ(loopSegmentPoints(doc->channels[0], 400, 2).end.x, 85 + 400);
    EXPECT_LE(std::abs(level(*doc, 0, 85 - 56) - level(*doc, 0, 85 - 57)), 2);
}

// After moving control point k, the local re-evaluation gives exactly the levels of a whole
// evaluation, and its span covers every dot that changed.
void expectLocalMatchesWhole(GradationDocument& doc, ChannelIndex ch, int k, CurvePoint moved) {
    const GradationDocument before = doc;
    doc.channels[ch].controlPoints[k] = moved;
    deriveAnchors(doc, ch);
    const DirtySpan span =
        doc.loop ? reevaluateLoopLocal(doc, ch, k) : reevaluateOpenLocal(doc, ch, k);
    GradationDocument whole = doc;
    evaluateChannel(whole, ch);
    const int l = doc.length;
    for (int j = 0; j < l; ++j) {
        ASSERT_EQ(doc.colorLine[ch][j].y, whole.colorLine[ch][j].y) << "dot " << j << " k " << k;
        if (doc.colorLine[ch][j].y != before.colorLine[ch][j].y) {
            const int x = 56 + j;
            const auto in = [&](int v) { return v >= span.firstX && v <= span.lastX; };
            ASSERT_TRUE(in(x) || in(x + l) || in(x - l)) << "changed dot " << j << " outside span";
        }
    }
}

TEST(Spline, LocalReevaluationMatchesWholeEvaluation) {
    auto open =
        makeDocument(512, Points::OpenAnchors,
                     {{56, 300}, {120, 100}, {250, 250}, {380, 90}, {470, 200}, {567, 150}});
    for (int k = 0; k < 6; ++k) {
        const CurvePoint c = open->channels[0].controlPoints[k];
        expectLocalMatchesWhole(*open, 0, k, {c.x + (k == 0 || k == 5 ? 0 : 7.3), c.y - 41.6});
    }
    EXPECT_EQ(reevaluateOpenLocal(*open, 0, 0).firstX, 56); // never left of dot 0
    EXPECT_EQ(reevaluateOpenLocal(*open, 0, 5).lastX, 567);

    auto loop = makeDocument(512, Points::LoopControls,
                             {{80.5, 200}, {200.25, 90}, {330, 300}, {480.75, 120}});
    for (int k = 0; k < 4; ++k) {
        const CurvePoint p = loop->channels[1].controlPoints[k];
        expectLocalMatchesWhole(*loop, 1, k, {p.x + 11.4, p.y + 37.9});
    }
    EXPECT_LT(reevaluateLoopLocal(*loop, 1, 0).firstX, 56); // over the seam on the left
    EXPECT_GT(reevaluateLoopLocal(*loop, 1, 3).lastX, 567); // and on the right

    // A span longer than the period is widened to the whole gradation.
    auto wide =
        makeDocument(40, Points::LoopControls, {{60, 100}, {70, 300}, {80, 200}, {300, 150}});
    EXPECT_EQ(reevaluateLoopLocal(*wide, 1, 2), (DirtySpan{56, 95}));
}

} // namespace
} // namespace spectrane
