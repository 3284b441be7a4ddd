// The model: spline fitting and evaluation against worked examples and properties, the colour
// bars and the gradation picture pixel by pixel, the random generator of new curves.
#include "model/gradation_render.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::makeDocument;
using test::Points;

// Through (56, 320), (311, 65), (567, 320): c1 = 2 (d1 - (d0 + d2) / 4) = (310.5, -190); levels
// worked out by hand from the quadratic through the truncated (56, 320), (310, -190), (567, 320).
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
    }
    // Any anchors come back from their fitted control points.
    const std::vector<CurvePoint> d = {{56, 100},    {140.25, 300.5}, {300, 40},
                                       {333.3, 350}, {900, 200},      {1655, 70}};
    auto six = makeDocument(1600, Points::OpenAnchors, d);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(six->channels[0].anchorPoints[i].x, d[i].x, 1e-9) << i;
        EXPECT_NEAR(six->channels[0].anchorPoints[i].y, d[i].y, 1e-9) << i;
    }
}

// Anchors on a straight level line (dot * rise / run + offset) give the floor of that line at
// every dot, exactly, and control points on it.
TEST(Spline, AnchorsOnALineGiveThatLineAtEveryDot) {
    const std::tuple<std::vector<CurvePoint>, double, double, double> rows[] = {
        {{{56, 320}, {567, 65}}, 255, 511, 0},
        {{{56, 192}, {150, 192}, {300, 192}, {420, 192}, {500, 192}, {567, 192}}, 0, 1, 128},
    };
    for (const auto& [anchors, rise, run, offset] : rows) {
        auto doc = makeDocument(512, Points::OpenAnchors, anchors);
        for (int j = 0; j < 512; ++j) {
            ASSERT_EQ(doc->colorLine.level(2, j), std::floor(j * rise / run + offset)) << j;
        }
        for (const CurvePoint c : test::controlsOf(*doc, 1)) {
            EXPECT_NEAR(320 - c.y, (c.x - 56) * rise / run + offset, 1e-9);
        }
    }
}

// Anchors are kept in x 56..L+55 (open ends in y only) and y 32..351. (Levels in 0..255 for any
// control points a file can hold: the line data fuzz target.)
TEST(Spline, AnchorsAreKeptInTheirLimits) {
    auto clamped =
        makeDocument(200, Points::OpenControls, {{56, 340}, {-200, -900}, {400, 1200}, {255, 30}});
    const auto& a = clamped->channels[0].anchorPoints;
    EXPECT_EQ((std::array{a[0], a[1], a[2], a[3]}),
              (std::array<CurvePoint, 4>{{{56, 340}, {56, 32}, {255, 351}, {255, 32}}}));
}

// Every dot of a loop is written however its segments fall; one point is flat. Segment n-1 ends a
// period after segment 0 starts, at floor((floor(420.9 - 400) + 150) / 2) = 85, smoothly.
TEST(Spline, LoopCurvesWriteEveryDot) {
    struct Row {
        int length;
        std::vector<CurvePoint> controls;
        int flatLevel; // -1: not flat
    };
    const Row rows[] = {
        {400, {{150.7, 100}, {280.2, 300}, {420.9, 150}}, -1},
        {100, {{56, 200.9}}, 120},
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

constexpr Color kUntouched = 0x123456;

// Mixed bar: the levels (RGB) or complements (CMY); a channel's bar: its primary or ink. A range
// of one channel repaints exactly its columns of the mixed bar and its own, all channels all four.
TEST(GradationRender, ColourBarsRepaintExactlyTheRangeAndChannel) {
    auto doc = test::flatLevels(512, 10, 20, 30);
    Surface canvas(624, 490, kUntouched);
    paintColorBars(canvas, doc->colorLine, 1, 100, 120, {});
    for (int y = 0; y < 490; ++y) {
        for (int x = 0; x < 624; ++x) {
            const bool dots = x >= 156 && x <= 176;
            const Color expected = dots && y >= 370 && y < 386   ? rgb(10, 20, 30)
                                   : dots && y >= 418 && y < 434 ? rgb(0, 20, 0)
                                                                 : kUntouched;
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
    }
    paintColorBars(canvas, doc->colorLine, -1, 0, 511,
                   {ColorMode::Cmy}); // CMY: complements and inks
    EXPECT_EQ(canvas.pixel(56, 370), rgb(245, 235, 225));
    EXPECT_EQ(canvas.pixel(56, 394), rgb(0, 10, 10));
    EXPECT_EQ(canvas.pixel(300, 418), rgb(20, 0, 20));
    EXPECT_EQ(canvas.pixel(567, 457), rgb(30, 30, 0));
    EXPECT_EQ(test::countColour(canvas, kUntouched, {55, 370, 569, 459}), 89 * 514 - 4 * 16 * 512);
}

// Every pixel against where the rules put dot j: position j (directions 0, 1) or L - 1 - j
// (2, 3) along, `thickness` across, only dots first..last, clipped to the surface.
TEST(GradationRender, GradationPlacesEachDotByItsDirection) {
    const int rows[][9] = {
        // direction, length, left, top, thickness, first, last, surface width, height
        {0, 200, 5, 7, 3, 0, 199, 220, 220}, {1, 200, 5, 7, 3, 0, 199, 220, 220},
        {2, 200, 5, 7, 3, 0, 199, 220, 220}, {3, 200, 5, 7, 3, 0, 199, 220, 220},
        {2, 100, 0, 0, 1, 40, 49, 120, 10},  {0, 100, 3, 6, 8, 10, 12, 120, 10},
    };
    for (const auto& [d, l, left, top, thickness, first, last, w, h] : rows) {
        auto doc = test::flatLevels(l, 0, 0, 0);
        for (int j = 0; j < l; ++j) {
            doc->colorLine[0][j].y = CanvasGeometry::levelY(j); // dot j has red level j
        }
        const bool cmy = d == 3;
        Surface s(w, h, kUntouched);
        paintGradation(s, doc->colorLine, left, top, l, thickness, first, last, d,
                       {cmy ? ColorMode::Cmy : ColorMode::Rgb});
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int along = d & 1 ? y - top : x - left;
                const int across = d & 1 ? x - left : y - top;
                const int dot = d >= 2 ? l - 1 - along : along;
                const bool on = across >= 0 && across < thickness && dot >= first && dot <= last;
                ASSERT_EQ(s.pixel(x, y), !on   ? kUntouched
                                         : cmy ? rgb(255 - dot, 255, 255)
                                               : rgb(dot, 0, 0))
                    << "direction " << d << " at " << x << "," << y;
            }
        }
    }
}

// The C library's rand() from seed 1; fractions from two draws; levels in (64, 320].
TEST(RandomCurves, GeneratorFollowsTheClassicRandSequence) {
    RandomGenerator rng;
    for (const int e : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419}) {
        EXPECT_EQ(rng.next(), e);
    }
    RandomGenerator again;
    EXPECT_DOUBLE_EQ(randomFraction(again), (16838 * 5758 % 100000) / 100000.0);
    EXPECT_DOUBLE_EQ(randomLevelY(again), 320.0 - 256.0 * ((10113 * 17515 % 100000) / 100000.0));
    for (int i = 0; i < 10000; ++i) {
        const double y = randomLevelY(again);
        ASSERT_TRUE(y > 64.0 && y <= 320.0) << y;
    }
}

} // namespace
} // namespace spectrane
