#include "model/spline.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace spectrane {
namespace {

using test::openDocumentFromAnchors;

int level(const GradationDocument& doc, ChannelIndex ch, int dot) {
    return doc.colorLine.level(ch, dot);
}

TEST(Spline, WorkedExampleFitsAndEvaluatesToTheKnownLevels) {
    auto doc = openDocumentFromAnchors(512, {{56, 320}, {311, 65}, {567, 320}});
    const ChannelCurve& c = doc->channels[0];
    EXPECT_EQ(c.controlPoints[1], (CurvePoint{310.5, -190}));
    const WholeSegment seg = openSegmentPoints(c, 1);
    EXPECT_EQ(seg.start, (WholePoint{56, 320}));
    EXPECT_EQ(seg.middle, (WholePoint{310, -190}));
    EXPECT_EQ(seg.end, (WholePoint{567, 320}));
    const std::pair<int, int> expected[] = {
        {0, 0},     {1, 2},     {32, 60},   {64, 112},  {128, 192}, {254, 255}, {255, 255},
        {256, 255}, {300, 247}, {383, 191}, {450, 107}, {510, 2},   {511, 0}};
    for (auto [dot, lev] : expected) {
        EXPECT_EQ(level(*doc, 0, dot), lev) << "dot " << dot;
    }
    // The anchor derived back is the dragged-to point, and every level stays in 0..255.
    EXPECT_DOUBLE_EQ(c.anchorPoints[1].x, 311);
    EXPECT_DOUBLE_EQ(c.anchorPoints[1].y, 65);
    for (int j = 0; j < 512; ++j) {
        ASSERT_GE(level(*doc, 0, j), 0);
        ASSERT_LE(level(*doc, 0, j), 255);
        ASSERT_EQ(doc->colorLine[0][j].x, 56 + j);
    }
}

TEST(Spline, TwoPointOpenCurveIsAnExactIntegerLine) {
    auto doc = openDocumentFromAnchors(512, {{56, 320}, {567, 65}});
    const std::pair<int, int> expected[] = {{0, 0},     {1, 0},     {2, 0},     {3, 1},
                                            {255, 127}, {256, 127}, {510, 254}, {511, 255}};
    for (auto [dot, lev] : expected) {
        EXPECT_EQ(level(*doc, 1, dot), lev) << "dot " << dot;
    }
    for (int j = 1; j < 512; ++j) {
        ASSERT_GE(level(*doc, 1, j), level(*doc, 1, j - 1)); // monotone, whole steps
    }
}

TEST(Spline, FlatAnchorsGiveFlatControlPointsAndLevels) {
    auto doc = openDocumentFromAnchors(
        512, {{56, 192}, {150, 192}, {300, 192}, {420, 192}, {500, 192}, {567, 192}});
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(doc->channels[2].controlPoints[i].y, 192, 1e-9);
    }
    for (int j = 0; j < 512; ++j) {
        ASSERT_EQ(level(*doc, 2, j), 128) << "dot " << j;
    }
}

TEST(Spline, FitThenDeriveRoundTripsAndThreePointFormulaHolds) {
    auto doc = openDocumentFromAnchors(
        1600, {{56, 100}, {140.25, 300.5}, {300, 40}, {333.3, 350}, {900, 200}, {1655, 70}});
    const ChannelCurve& c = doc->channels[0];
    const CurvePoint original[] = {{56, 100},    {140.25, 300.5}, {300, 40},
                                   {333.3, 350}, {900, 200},      {1655, 70}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(c.anchorPoints[i].x, original[i].x, 1e-9) << i;
        EXPECT_NEAR(c.anchorPoints[i].y, original[i].y, 1e-9) << i;
    }
    // The tridiagonal system itself, row by row.
    const auto& p = c.controlPoints;
    EXPECT_NEAR(5 * p[1].x + p[2].x, 8 * original[1].x - 2 * original[0].x, 1e-9);
    EXPECT_NEAR(p[1].y + 6 * p[2].y + p[3].y, 8 * original[2].y, 1e-9);
    EXPECT_NEAR(p[3].x + 5 * p[4].x, 8 * original[4].x - 2 * original[5].x, 1e-9);

    auto three = openDocumentFromAnchors(100, {{56, 300}, {100, 80}, {155, 200}});
    const auto& q = three->channels[0].controlPoints;
    EXPECT_DOUBLE_EQ(q[1].x, 2 * 100 - (56 + 155) / 2.0);
    EXPECT_DOUBLE_EQ(q[1].y, 2 * 80 - (300 + 200) / 2.0);
}

TEST(Spline, CollinearAnchorsGiveCollinearControlPoints) {
    // Level rises by one every 4 dots: y = 320 - (x - 56) / 4.
    auto doc = openDocumentFromAnchors(
        1024, {{56, 320}, {256, 270}, {456, 220}, {856, 120}, {1079, 64.25}});
    const ChannelCurve& c = doc->channels[0];
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(c.controlPoints[i].y, 320 - (c.controlPoints[i].x - 56) / 4, 1e-9) << i;
    }
    for (int j = 0; j < 1024; ++j) {
        ASSERT_NEAR(level(*doc, 0, j), j / 4.0, 1.01) << "dot " << j;
    }
}

TEST(Spline, OvershootIsClampedAndAnchorsAreClampedButEndsKeepTheirX) {
    GradationDocument doc;
    doc.length = 200;
    ChannelCurve& c = doc.channels[0];
    c.pointCount = 4;
    c.controlPoints[0] = {56, 340};
    c.controlPoints[1] = {-200, -900}; // far left and above: anchor clamps in x and y
    c.controlPoints[2] = {400, 1200};
    c.controlPoints[3] = {255, 30};
    deriveAnchors(doc, 0);
    EXPECT_EQ(c.anchorPoints[0].x, 56);
    EXPECT_EQ(c.anchorPoints[0].y, 340);
    EXPECT_EQ(c.anchorPoints[1].x, 56);
    EXPECT_EQ(c.anchorPoints[1].y, 32);
    EXPECT_EQ(c.anchorPoints[2].x, 255);
    EXPECT_EQ(c.anchorPoints[2].y, 351);
    EXPECT_EQ(c.anchorPoints[3].y, 32); // end anchors clamp in y only
    EXPECT_EQ(c.anchorPoints[3].x, 255);

    auto zig =
        openDocumentFromAnchors(512, {{56, 320}, {100, 40}, {140, 350}, {180, 40}, {567, 320}});
    bool sawTop = false;
    bool sawBottom = false;
    for (int j = 0; j < 512; ++j) {
        const int v = level(*zig, 0, j);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 255);
        sawTop |= v == 255;
        sawBottom |= v == 0;
    }
    EXPECT_TRUE(sawTop);
    EXPECT_TRUE(sawBottom);
}

TEST(Spline, ControlPointsFarOutsideTheCanvasNeverOverflow) {
    const double far[] = {1e300, -1e300, 4e9, -4e9, std::numeric_limits<double>::max()};
    for (double v : far) {
        for (int loop = 0; loop <= 1; ++loop) {
            GradationDocument doc;
            doc.length = 300;
            doc.loop = loop;
            ChannelCurve& c = doc.channels[1];
            c.pointCount = 4;
            c.controlPoints[0] = {56, 200};
            c.controlPoints[1] = {v, v};
            c.controlPoints[2] = {200, -v};
            c.controlPoints[3] = {355, 100};
            deriveAnchors(doc, 1);
            evaluateChannels(doc);
            for (int j = 0; j < 300; ++j) {
                ASSERT_GE(doc.colorLine[1][j].y, 65);
                ASSERT_LE(doc.colorLine[1][j].y, 320);
            }
            for (int i = 0; i < 4; ++i) {
                ASSERT_GE(c.anchorPoints[i].y, 32);
                ASSERT_LE(c.anchorPoints[i].y, 351);
            }
            if (loop) {
                reevaluateLoopLocal(doc, 1, 1);
            } else {
                reevaluateOpenLocal(doc, 1, 1);
            }
        }
    }
}

// A loop curve with control points placed so that segment 0 starts right of dot 0: the dots
// before it are written by segment n-1, one period on.
TEST(Spline, LoopCurveWritesEveryDotAndAgreesAtTheSeam) {
    GradationDocument doc;
    doc.length = 400;
    doc.loop = 1;
    ChannelCurve& c = doc.channels[0];
    c.pointCount = 3;
    c.controlPoints[0] = {150.7, 100};
    c.controlPoints[1] = {280.2, 300};
    c.controlPoints[2] = {420.9, 150};
    deriveAnchors(doc, 0);
    for (int j = 0; j < 400; ++j) {
        doc.colorLine[0][j].y = -1; // a mark no evaluation writes
    }
    evaluateChannel(doc, 0);
    for (int j = 0; j < 400; ++j) {
        ASSERT_NE(doc.colorLine[0][j].y, -1) << "dot " << j << " was not written";
    }
    // Segment n-1 ends exactly one period after segment 0 starts.
    const WholeSegment first = loopSegmentPoints(c, 400, 0);
    const WholeSegment last = loopSegmentPoints(c, 400, 2);
    EXPECT_EQ(last.end.x, first.start.x + 400);
    EXPECT_EQ(first.start.x, 85); // floor((floor(420.9 - 400) + 150) / 2)

    // The seam is smooth: neighbouring dots across it differ little.
    const int seamDot = first.start.x - 56;
    EXPECT_LE(std::abs(level(doc, 0, seamDot) - level(doc, 0, seamDot - 1)), 2);
}

TEST(Spline, OnePointLoopIsFlatAndTwoPointLoopsEvaluate) {
    GradationDocument doc;
    doc.length = 100;
    doc.loop = 1;
    for (int anchorDot : {0, 37, 99}) {
        ChannelCurve& c = doc.channels[2];
        c.pointCount = 1;
        c.controlPoints[0] = {56.0 + anchorDot, 200.9};
        deriveAnchors(doc, 2);
        EXPECT_EQ(c.anchorPoints[0], c.controlPoints[0]);
        for (int j = 0; j < 100; ++j) {
            doc.colorLine[2][j].y = -1;
        }
        evaluateChannel(doc, 2);
        for (int j = 0; j < 100; ++j) {
            ASSERT_EQ(doc.colorLine[2][j].y, 200) << "anchor dot " << anchorDot << ", dot " << j;
        }
    }
    ChannelCurve& c = doc.channels[0];
    c.pointCount = 2;
    c.controlPoints[0] = {80, 100};
    c.controlPoints[1] = {130, 300};
    deriveAnchors(doc, 0);
    for (int j = 0; j < 100; ++j) {
        doc.colorLine[0][j].y = -1;
    }
    evaluateChannel(doc, 0);
    for (int j = 0; j < 100; ++j) {
        ASSERT_GE(doc.colorLine[0][j].y, 65) << j;
    }
}

// A local re-evaluation after moving one control point gives exactly the levels of a whole
// evaluation, and its span covers every dot that changed.
void expectLocalMatchesWhole(GradationDocument& doc, ChannelIndex ch, int k, CurvePoint moved) {
    GradationDocument before = doc;
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
            const bool covered = (x >= span.firstX && x <= span.lastX) ||
                                 (x + l >= span.firstX && x + l <= span.lastX) ||
                                 (x - l >= span.firstX && x - l <= span.lastX);
            ASSERT_TRUE(covered) << "changed dot " << j << " outside span " << span.firstX << ".."
                                 << span.lastX;
        }
    }
}

TEST(Spline, OpenLocalReevaluationMatchesWholeEvaluation) {
    auto doc = openDocumentFromAnchors(
        512, {{56, 300}, {120, 100}, {250, 250}, {380, 90}, {470, 200}, {567, 150}});
    for (int k = 0; k < 6; ++k) {
        const CurvePoint c = doc->channels[0].controlPoints[k];
        expectLocalMatchesWhole(*doc, 0, k, {c.x + (k == 0 || k == 5 ? 0 : 7.3), c.y - 41.6});
    }
    const DirtySpan span = reevaluateOpenLocal(*doc, 0, 0);
    EXPECT_EQ(span.firstX, 56); // starts at the curve's start, never left of dot 0
    const DirtySpan end = reevaluateOpenLocal(*doc, 0, 5);
    EXPECT_EQ(end.lastX, 567);
}

TEST(Spline, LoopLocalReevaluationMatchesWholeEvaluationAcrossTheSeam) {
    GradationDocument doc;
    doc.length = 512;
    doc.loop = 1;
    ChannelCurve& c = doc.channels[1];
    c.pointCount = 4;
    const CurvePoint pts[] = {{80.5, 200}, {200.25, 90}, {330, 300}, {480.75, 120}};
    for (int i = 0; i < 4; ++i) {
        c.controlPoints[i] = pts[i];
    }
    deriveAnchors(doc, 1);
    evaluateChannels(doc);
    for (int k = 0; k < 4; ++k) {
        const CurvePoint p = c.controlPoints[k];
        expectLocalMatchesWhole(doc, 1, k, {p.x + 11.4, p.y + 37.9});
    }
    // Moving the first point reaches over the seam on the left.
    const DirtySpan left = reevaluateLoopLocal(doc, 1, 0);
    EXPECT_LT(left.firstX, 56);
    const DirtySpan right = reevaluateLoopLocal(doc, 1, 3);
    EXPECT_GT(right.lastX, 56 + 511);

    // A span longer than the period is widened to the whole gradation.
    GradationDocument wide = doc;
    wide.length = 40;
    ChannelCurve& w = wide.channels[1];
    w.pointCount = 4;
    w.controlPoints[0] = {60, 100};
    w.controlPoints[1] = {70, 300};
    w.controlPoints[2] = {80, 200};
    w.controlPoints[3] = {300, 150}; // folded far past the period
    const DirtySpan all = reevaluateLoopLocal(wide, 1, 2);
    EXPECT_EQ(all.firstX, 56);
    EXPECT_EQ(all.lastX, 95);
}

TEST(Spline, CrossedControlPointsSkipBackwardSegmentsWithoutHarm) {
    GradationDocument doc;
    doc.length = 300;
    ChannelCurve& c = doc.channels[0];
    c.pointCount = 4;
    c.controlPoints[0] = {56, 300};
    c.controlPoints[1] = {250, 100};
    c.controlPoints[2] = {120, 200}; // folds back
    c.controlPoints[3] = {355, 80};
    deriveAnchors(doc, 0);
    evaluateChannels(doc);
    for (int j = 0; j < 300; ++j) {
        ASSERT_GE(doc.colorLine[0][j].y, 65);
        ASSERT_LE(doc.colorLine[0][j].y, 320);
    }
}

} // namespace
} // namespace spectrane
