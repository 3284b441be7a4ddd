#include "model/spline.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace spectrane {
namespace {

using test::makeDocument;
using test::Points;

// The worked example through (56, 320), (311, 65), (567, 320): c1 = 2 (d1 - (d0 + d2) / 4) =
// (310.5, -190), and the levels at some dots worked out by hand from the quadratic through the
// truncated points (56, 320), (310, -190), (567, 320).
TEST(Spline, WorkedExampleFitsAndEvaluatesToTheHandComputedLevels) {
    auto doc = makeDocument(512, Points::OpenAnchors, {{56, 320}, {311, 65}, {567, 320}});
    const ChannelCurve& c = doc->channels[0];
    EXPECT_EQ(c.controlPoints[1], (CurvePoint{310.5, -190}));
    EXPECT_EQ(c.anchorPoints[1], (CurvePoint{311, 65}));
    const WholeSegment seg = openSegmentPoints(c, 1);
    EXPECT_EQ((std::array{seg.start, seg.middle, seg.end}),
              (std::array<WholePoint, 3>{{{56, 320}, {310, -190}, {567, 320}}}));
    const int dots[] = {0, 1, 32, 64, 128, 254, 255, 256, 300, 383, 450, 510, 511};
    const int levels[] = {0, 2, 60, 112, 192, 255, 255, 255, 247, 191, 107, 2, 0};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int k = 0; k < 13; ++k) {
            EXPECT_EQ(doc->colorLine.level(ch, dots[k]), levels[k]) << "dot " << dots[k];
        }
        for (int j = 0; j < 512; ++j) {
            ASSERT_EQ(doc->colorLine[ch][j].x, 56 + j);
        }
    }
    // Any anchors come back from their fitted control points; the tridiagonal rows hold.
    const std::vector<CurvePoint> d = {{56, 100},    {140.25, 300.5}, {300, 40},
                                       {333.3, 350}, {900, 200},      {1655, 70}};
    auto six = makeDocument(1600, Points::OpenAnchors, d);
    const auto& p = six->channels[0].controlPoints;
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(six->channels[0].anchorPoints[i].x, d[i].x, 1e-9) << i;
        EXPECT_NEAR(six->channels[0].anchorPoints[i].y, d[i].y, 1e-9) << i;
    }
    EXPECT_NEAR(5 * p[1].x + p[2].x, 8 * d[1].x - 2 * d[0].x, 1e-9);
    EXPECT_NEAR(p[1].y + 6 * p[2].y + p[3].y, 8 * d[2].y, 1e-9);
    EXPECT_NEAR(p[3].x + 5 * p[4].x, 8 * d[4].x - 2 * d[5].x, 1e-9);
}

// Anchors on one straight level line (offset + dot * rise / run): every dot's level is on it
// (its floor, or within a tolerance), and so is every control point.
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
        const auto line = [&](double dot) { return r.offset + dot * r.rise / r.run; };
        auto doc = makeDocument(r.length, Points::OpenAnchors, r.anchors);
        for (int j = 0; j < r.length; ++j) {
            const int v = doc->colorLine.level(2, j);
            ASSERT_TRUE(r.tolerance > 0 ? std::abs(v - line(j)) <= r.tolerance
                                        : v == std::floor(line(j)))
                << r.length << " dot " << j;
        }
        for (const CurvePoint c : test::controlsOf(*doc, 1)) {
            EXPECT_NEAR(320 - c.y, line(c.x - 56), 1e-9) << r.length;
        }
    }
}

// Under UBSan too: whatever the control points, levels stay in 0..255 (overshoot clamped, not
// wrapped), anchors in x 56..L+55 (open ends in y only) and y 32..351, nothing overflows.
TEST(Spline, AnyControlPointsGiveLevelsAndAnchorsInRange) {
    auto zig = makeDocument(512, Points::OpenAnchors,
                            {{56, 320}, {100, 40}, {140, 350}, {180, 40}, {567, 320}});
    std::set<int> levels;
    for (int j = 0; j < 512; ++j) {
        levels.insert(zig->colorLine.level(0, j));
    }
    EXPECT_EQ(*levels.begin(), 0);
    EXPECT_EQ(*levels.rbegin(), 255);

    for (const double v : {1e300, -1e300, 4e9, -4e9, std::numeric_limits<double>::max(), 250.0}) {
        // Far interior points (folded back for 250), and far ends as a file may hold them.
        for (const std::vector<CurvePoint>& points :
             {std::vector<CurvePoint>{{56, 200}, {v, v}, {120, -v}, {355, 80}},
              {{v, 200}, {200, 100}, {355, -v}}}) {
            for (const Points form : {Points::OpenControls, Points::LoopControls}) {
                auto doc = makeDocument(300, form, points);
                for (int j = 0; j < 300; ++j) {
                    ASSERT_TRUE(doc->colorLine[1][j].y >= 65 && doc->colorLine[1][j].y <= 320) << j;
                }
                for (std::size_t i = 0; i < points.size(); ++i) {
                    const double y = doc->channels[1].anchorPoints[i].y;
                    ASSERT_TRUE(y >= 32 && y <= 351) << i;
                }
                doc->loop ? reevaluateLoopLocal(*doc, 1, 1) : reevaluateOpenLocal(*doc, 1, 1);
            }
        }
    }
    auto clamped =
        makeDocument(200, Points::OpenControls, {{56, 340}, {-200, -900}, {400, 1200}, {255, 30}});
    const auto& a = clamped->channels[0].anchorPoints;
    EXPECT_EQ((std::array{a[0], a[1], a[2], a[3]}),
              (std::array<CurvePoint, 4>{{{56, 340}, {56, 32}, {255, 351}, {255, 32}}}));
}

// Every dot of a loop curve is written, however its segments fall over the period; one point
// is flat at its whole level. Segment n-1 ends one period after segment 0 starts, here at
// floor((floor(420.9 - 400) + 150) / 2) = 85, and the curve is smooth across that seam.
TEST(Spline, LoopCurvesWriteEveryDot) {
    struct Row {
        int length;
        std::vector<CurvePoint> controls;
        int flatLevel; // -1: not flat
    };
    const Row rows[] = {
        {400, {{150.7, 100}, {280.2, 300}, {420.9, 150}}, -1},
        {100, {{56, 200.9}}, 120},
        {100, {{93, 200.9}}, 120},
        {100, {{155, 200.9}}, 120},
        {100, {{80, 100}, {130, 300}}, -1},
    };
    for (const Row& r : rows) {
        auto doc = makeDocument(r.length, Points::LoopControls, r.controls);
        for (int j = 0; j < r.length; ++j) {
            doc->colorLine[0][j].y = -1; // a mark no evaluation writes
        }
        evaluateChannel(*doc, 0);
        for (int j = 0; j < r.length; ++j) {
            ASSERT_NE(doc->colorLine[0][j].y, -1) << r.controls[0].x << " dot " << j;
            ASSERT_TRUE(r.flatLevel < 0 || doc->colorLine.level(0, j) == r.flatLevel) << j;
        }
        EXPECT_TRUE(r.controls.size() > 1 || doc->channels[0].anchorPoints[0] == r.controls[0]);
    }
    auto doc = makeDocument(400, Points::LoopControls, rows[0].controls);
    EXPECT_EQ(loopSegmentPoints(doc->channels[0], 400, 0).start.x, 85);
    EXPECT_EQ(loopSegmentPoints(doc->channels[0], 400, 2).end.x, 85 + 400);
    EXPECT_LE(std::abs(doc->colorLine.level(0, 29) - doc->colorLine.level(0, 28)), 2);
}

// A local re-evaluation's span (its levels are checked by the drag-step property): cut to the
// gradation for open curves, over the seam for loops, the whole gradation past a period.
TEST(Spline, LocalReevaluationSpans) {
    auto open =
        makeDocument(512, Points::OpenAnchors,
                     {{56, 300}, {120, 100}, {250, 250}, {380, 90}, {470, 200}, {567, 150}});
    EXPECT_EQ(reevaluateOpenLocal(*open, 0, 0).firstX, 56);
    EXPECT_EQ(reevaluateOpenLocal(*open, 0, 5).lastX, 567);
    auto loop = makeDocument(512, Points::LoopControls,
                             {{80.5, 200}, {200.25, 90}, {330, 300}, {480.75, 120}});
    EXPECT_LT(reevaluateLoopLocal(*loop, 1, 0).firstX, 56);
    EXPECT_GT(reevaluateLoopLocal(*loop, 1, 3).lastX, 567);
    auto wide =
        makeDocument(40, Points::LoopControls, {{60, 100}, {70, 300}, {80, 200}, {300, 150}});
    EXPECT_EQ(reevaluateLoopLocal(*wide, 1, 2), (DirtySpan{56, 95}));
}

} // namespace
} // namespace spectrane
