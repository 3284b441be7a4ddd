#include "editing/drag_step.h"

#include "editing/drag_start.h"
#include "editing/hit_test.h"
#include "editing_fixture.h"
#include "model/spline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::EditorFixture;

// Presses on anchor i of the current channel (exactly on it) and returns the context.
EditorContext pressOn(EditorFixture& f, int i) {
    EditorContext ctx = f.context();
    const CurvePoint a = f.doc.channels[f.doc.currentChannel].anchorPoints[i];
    EXPECT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
    EXPECT_EQ(f.edit.hoveredPoint, i);
    return ctx;
}

TEST(DragStep, ClampsTheAnchorAndKeepsOpenEndsOnTheirDots) {
    EditorFixture f(test::openDocumentFromAnchors(
        512, {{56, 200}, {150, 150}, {300, 120}, {450, 180}, {567, 250}}));
    f.refresh();
    auto ctx = pressOn(f, 2);
    const CurvePoint& d = f.doc.channels[0].anchorPoints[2];
    DragStep(ctx, 300, -5000);
    EXPECT_DOUBLE_EQ(d.y, 32.0); // level 288
    DragStep(ctx, 300, 5000);
    EXPECT_DOUBLE_EQ(d.y, 351.0); // level -31
    DragStep(ctx, -5000, 200);
    EXPECT_DOUBLE_EQ(f.doc.channels[0].anchorPoints[2].x, 56.0);
    DragStep(ctx, 5000, 200);
    EXPECT_DOUBLE_EQ(f.doc.channels[0].anchorPoints[2].x, 567.0);

    // The first anchor moves vertically only.
    EditorFixture g(test::openDocumentFromAnchors(512, {{56, 200}, {300, 120}, {567, 250}}));
    g.refresh();
    auto gctx = pressOn(g, 0);
    DragStep(gctx, 200, 150);
    EXPECT_DOUBLE_EQ(g.doc.channels[0].anchorPoints[0].x, 56.0);
    EXPECT_DOUBLE_EQ(g.doc.channels[0].anchorPoints[0].y, 150.0);
    EXPECT_EQ(g.doc.channels[0].controlPoints[0], (CurvePoint{56.0, 150.0}));
    EXPECT_EQ(g.doc.colorLine.level(0, 0), 170);
}

TEST(DragStep, MiddlePointOfThreeFollowsThePointerExactly) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 200}, {300, 120}, {567, 250}}));
    f.refresh();
    auto ctx = pressOn(f, 1);
    const ChannelCurve& c = f.doc.channels[0];
    EXPECT_EQ(DragStep(ctx, 250, 90), DragPath::Partial);
    EXPECT_DOUBLE_EQ(c.controlPoints[1].x,
                     (250.0 - (c.controlPoints[0].x + c.controlPoints[2].x) / 4) * 2);
    EXPECT_DOUBLE_EQ(c.controlPoints[1].y,
                     (90.0 - (c.controlPoints[0].y + c.controlPoints[2].y) / 4) * 2);
    EXPECT_NEAR(c.anchorPoints[1].x, 250.0, 1e-9);
    EXPECT_NEAR(c.anchorPoints[1].y, 90.0, 1e-9);
}

TEST(DragStep, FoldedPolygonTakesTheFullPathAndOneStepMore) {
    EditorFixture f(test::openDocumentFromAnchors(
        512, {{56, 200}, {150, 150}, {200, 120}, {250, 180}, {400, 160}, {567, 250}}));
    f.refresh();
    auto ctx = pressOn(f, 2);
    EXPECT_EQ(DragStep(ctx, 205, 130), DragPath::Partial);
    // Far past the next anchor: the control polygon folds back in x.
    EXPECT_EQ(DragStep(ctx, 390, 130), DragPath::Full);
    EXPECT_TRUE(f.edit.disorder);
    EXPECT_EQ(DragStep(ctx, 380, 130), DragPath::Full);
    // Ordered again: the first such step is still full, the next one partial.
    EXPECT_EQ(DragStep(ctx, 205, 130), DragPath::Full);
    EXPECT_FALSE(f.edit.disorder);
    EXPECT_TRUE(f.edit.previousDisorder);
    EXPECT_EQ(DragStep(ctx, 206, 131), DragPath::Partial);

    // Curves too short for a local update are always updated in full.
    EditorFixture two(test::openDocumentFromAnchors(512, {{56, 200}, {567, 250}}));
    two.refresh();
    auto tctx = pressOn(two, 1);
    EXPECT_EQ(DragStep(tctx, 567, 100), DragPath::Full);
    EXPECT_EQ(DragStep(tctx, 567, 101), DragPath::Full);
    EXPECT_EQ(two.doc.colorLine.level(0, 511), 219);
    for (int n : {1, 2}) {
        EditorFixture loop;
        loop.doc.loop = 1;
        loop.doc.channels[0].pointCount = n;
        loop.doc.channels[0].controlPoints[0] = {100, 200};
        loop.doc.channels[0].controlPoints[1] = {400, 100};
        loop.doc.channels[1] = loop.doc.channels[2] = loop.doc.channels[0];
        loop.refresh();
        auto lctx = pressOn(loop, 0);
        EXPECT_EQ(DragStep(lctx, 120, 150), DragPath::Full);
        EXPECT_EQ(DragStep(lctx, 121, 150), DragPath::Full);
    }
}

TEST(DragStep, LoopFirstPointChangesBothEndsInTwoPieces) {
    EditorFixture f;
    f.doc.loop = 1;
    f.doc.length = 400;
    ChannelCurve& c = f.doc.channels[0];
    c.pointCount = 5;
    const double xs[] = {60, 140, 220, 300, 440};
    for (int j = 0; j < 5; ++j) {
        c.controlPoints[j] = {xs[j], 150.0 + 20 * j};
    }
    f.doc.channels[1] = f.doc.channels[2] = c;
    f.refresh();
    auto ctx = pressOn(f, 0);
    GradationDocument before = f.doc;
    ASSERT_EQ(DragStep(ctx, static_cast<int>(c.anchorPoints[0].x), 80), DragPath::Partial);
    // Levels changed near dot 0 and near the last dot.
    bool left = false;
    bool right = false;
    for (int j = 0; j < 400; ++j) {
        if (f.doc.colorLine[0][j] != before.colorLine[0][j]) {
            (j < 200 ? left : right) = true;
        }
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

// What a partial or full step leaves must be what a whole-document refresh of the same
// document shows: levels, anchors, colour bars, gradation picture, the other channels' layers
// and the plot outside the hover ring.
// With `levelsMayDiffer` only the drawing is checked, against a redraw from the levels the step
// left.
void expectSameAsRefresh(EditorFixture& f, GraphBuffers& ref, const std::string& where,
                         bool levelsMayDiffer = false) {
    GradationDocument copy = f.doc;
    test::renderFromScratch(copy, ref, f.colors, f.text, f.layout, levelsMayDiffer);
    const int l = f.doc.length;
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        for (int j = 0; j < l && !levelsMayDiffer; ++j) {
            ASSERT_EQ(copy.colorLine[ch][j].y, f.doc.colorLine[ch][j].y)
                << where << " channel " << ch << " dot " << j << " loop " << f.doc.loop
                << " length " << l << " points " << f.doc.channels[ch].pointCount << " current "
                << f.doc.currentChannel << " hovered " << f.edit.hoveredPoint << " synchro "
                << f.doc.synchro << f.doc.synchroChannels[0] << f.doc.synchroChannels[1]
                << f.doc.synchroChannels[2];
        }
        for (int i = 0; i < f.doc.channels[ch].pointCount; ++i) {
            ASSERT_EQ(copy.channels[ch].anchorPoints[i], f.doc.channels[ch].anchorPoints[i])
                << where << " channel " << ch << " anchor " << i;
        }
    }
    const Surface& main = f.buffers->mainBuffer;
    const Surface& refMain = ref.mainBuffer;
    const Rect ring{f.edit.ringSaveX, f.edit.ringSaveY, f.edit.ringSaveX + 33,
                    f.edit.ringSaveY + 33};
    int diffs = 0;
    for (int y = 0; y < GraphBuffers::kMainHeight; ++y) {
        for (int x = 0; x < l + 112; ++x) {
            const bool inRing =
                x >= ring.left && x < ring.right && y >= ring.top && y < ring.bottom;
            // The read-out's black box may cover the bottom row of a marker at level -31.
            const bool inReadout = f.showPointPositions != 0 && x >= f.edit.readoutLeft &&
                                   x <= f.edit.readoutRight && y >= 353 && y <= 367;
            if (!inRing && !inReadout && main.pixel(x, y) != refMain.pixel(x, y)) {
                if (diffs++ < 3) {
                    ADD_FAILURE() << where << " plot pixel " << x << "," << y;
                }
            }
        }
    }
    ASSERT_EQ(diffs, 0) << where;
    const BitmapWindowLayout& lay = f.layout;
    const Surface& grad = f.buffers->gradationBuffer(f.doc.direction);
    ASSERT_EQ(test::countDifferences(grad, ref.gradationBuffer(f.doc.direction),
                                     {0, 0, lay.bufferWidth, lay.bufferHeight}),
              0)
        << where << " gradation";
    const Rect panel{CanvasGeometry::kPanelLeft, CanvasGeometry::kPanelTop,
                     CanvasGeometry::kPanelLeft + CanvasGeometry::forLength(l).panelWidth(),
                     CanvasGeometry::kPanelTop + CanvasGeometry::kPanelHeight};
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        if (ch != f.doc.currentChannel) {
            ASSERT_EQ(
                test::countDifferences(f.buffers->channelLayers[ch], ref.channelLayers[ch], panel),
                0)
                << where << " layer " << ch;
        }
    }
}

// Control points for every channel: mostly the program's own random curves, sometimes dense
// zig-zags whose steep edges meet the borders of the redrawn stretch.
void randomCurves(GradationDocument& doc, RandomGenerator& rng) {
    newGradationCurves(doc, rng);
    if (rng.next() % 2 == 0 || doc.length < 8) {
        return;
    }
    const int l = doc.length;
    ChannelCurve zig;
    const int n = std::clamp(3 + rng.next() % 40, doc.loop != 0 ? 1 : 2, std::max(3, l / 3));
    zig.pointCount = n;
    for (int j = 0; j < n; ++j) {
        const double x = doc.loop != 0
                             ? 56.0 + (l - 1.0) * (j + 0.1 + 0.8 * randomFraction(rng)) / n
                             : 56.0 + (l - 1.0) * j / (n - 1);
        zig.controlPoints[j] = {x, -150.0 + 600.0 * randomFraction(rng)};
    }
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        if (doc.synchro == 0 || doc.synchroChannels[ch] != 0 || rng.next() % 2 == 0) {
            doc.channels[ch] = zig;
        }
    }
}

// The local re-evaluation of a loop curve computes the segment left of the seam, when point 0
// moved, one period to the left, where the end of that segment is the truncation of a negative
// half-integer: one dot later than the whole evaluation puts it. The levels of that segment may
// then differ by the rounding of its Bezier points; they are as described, and the pictures
// must still show exactly those levels.
bool seamRoundingDiffers(const GradationDocument& doc, ChannelIndex ch, int k) {
    const ChannelCurve& c = doc.channels[ch];
    const int n = c.pointCount;
    if (doc.loop == 0 || k != 0 || n < 3) {
        return false;
    }
    const std::int64_t sum =
        static_cast<std::int64_t>(std::floor(c.controlPoints[n - 1].x - doc.length)) +
        static_cast<std::int64_t>(std::trunc(c.controlPoints[0].x));
    return sum < 0 && sum % 2 != 0;
}

TEST(DragStep, PartialStepLeavesWhatAFullRefreshShows) {
    RandomGenerator rng;
    rng.seed(20240611);
    auto ref = std::make_unique<GraphBuffers>();
    int partialSteps = 0;
    int fullSteps = 0;
    int seamSteps = 0;
    int seamRoundingSteps = 0;
    for (int round = 0; round < 48; ++round) {
        EditorFixture f;
        const int lengths[] = {2, 3, 17, 64, 200, 511, 512, 1000, 1600};
        f.doc.length = lengths[rng.next() % 9];
        f.doc.loop = rng.next() % 2;
        f.doc.cmy = rng.next() % 2;
        f.doc.direction = rng.next() % 4;
        f.doc.synchro = rng.next() % 3 != 0 ? 1 : 0;
        for (auto& flag : f.doc.synchroChannels) {
            flag = rng.next() % 2;
        }
        f.doc.currentChannel = rng.next() % 3;
        f.showPointPositions = rng.next() % 2;
        randomCurves(f.doc, rng);
        f.refresh();
        const ChannelCurve& curve = f.doc.channels[f.doc.currentChannel];
        if (curve.pointCount == 0) {
            continue;
        }
        const int i = rng.next() % curve.pointCount;
        const CurvePoint a = curve.anchorPoints[i];
        auto ctx = f.context();
        if (!StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y))) {
            continue;
        }
        bool diverged = false;
        int px = static_cast<int>(a.x);
        int py = static_cast<int>(a.y);
        for (int step = 0; step < 6; ++step) {
            const int kind = rng.next() % 8;
            if (kind == 0) {
                px += rng.next() % 4001 - 2000;
                py += rng.next() % 801 - 400;
            } else if (kind == 1 && f.doc.loop != 0) {
                // Towards either end of the period, where the changed stretch wraps.
                px = rng.next() % 2 == 0 ? 56 + rng.next() % 12
                                         : f.doc.length + 44 + rng.next() % 12;
                ++seamSteps;
            } else {
                px += rng.next() % 41 - 20;
                py += rng.next() % 41 - 20;
            }
            const DragPath path = DragStep(ctx, px, py);
            (path == DragPath::Partial ? partialSteps : fullSteps)++;
            if (path == DragPath::Partial &&
                seamRoundingDiffers(f.doc, f.doc.currentChannel, f.edit.hoveredPoint)) {
                diverged = true;
                ++seamRoundingSteps;
            }
            expectSameAsRefresh(f, *ref,
                                "round " + std::to_string(round) + " step " + std::to_string(step),
                                diverged);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    EXPECT_GT(partialSteps, 60);
    EXPECT_GT(fullSteps, 10);
    EXPECT_GT(seamSteps, 5);
    RecordProperty("seamRoundingSteps", seamRoundingSteps);
}

} // namespace
} // namespace spectrane
