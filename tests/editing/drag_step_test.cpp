#include "editing/drag_step.h"

#include "editing/drag_start.h"
#include "model/random_curves.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace spectrane {
namespace {

using test::EditorFixture;
using test::makeDocument;
using test::Points;

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

// Steps of a drag from a press exactly on an anchor: the path each takes (None: not checked)
// and where the anchor ends (kAny: not checked). An open curve's end anchors stay on their dots
// and are their control points, and its end dots take their levels.
TEST(DragStep, AnchorFollowsThePointerWithinItsLimits) {
    struct Step {
        int x, y;
        DragPath path;
        double ax, ay;
    };
    struct Row {
        const char* what;
        Points form;
        std::vector<CurvePoint> points;
        int pressed;
        std::vector<Step> steps;
    };
    using enum DragPath;
    const Row rows[] = {
        {"clamped to x 56..567, y 32..351",
         Points::OpenAnchors,
         {{56, 200}, {150, 150}, {300, 120}, {450, 180}, {567, 250}},
         2,
         {{300, -5000, None, 300, 32},
          {300, 5000, None, 300, 351},
          {-5000, 200, None, 56, 200},
          {5000, 200, None, 567, 200}}},
        {"an open end moves up and down only",
         Points::OpenAnchors,
         {{56, 200}, {300, 120}, {567, 250}},
         0,
         {{200, 150, None, 56, 150}}},
        {"middle of three",
         Points::OpenAnchors,
         {{56, 200}, {300, 120}, {567, 250}},
         1,
         {{250, 90, Partial, 250, 90}}},
        {"folded control polygon: full path, and one step more once ordered again",
         Points::OpenAnchors,
         {{56, 200}, {150, 150}, {200, 120}, {250, 180}, {400, 160}, {567, 250}},
         2,
         {{205, 130, Partial, kAny, kAny},
          {390, 130, Full, kAny, kAny},
          {380, 130, Full, kAny, kAny},
          {205, 130, Full, kAny, kAny},
          {206, 131, Partial, kAny, kAny}}},
        {"two points: always full",
         Points::OpenAnchors,
         {{56, 200}, {567, 250}},
         1,
         {{567, 100, Full, 567, 100}, {567, 101, Full, 567, 101}}},
        {"one loop point",
         Points::LoopControls,
         {{100, 200}},
         0,
         {{120, 150, Full, 120, 150}, {121, 150, Full, 121, 150}}},
        {"two loop points",
         Points::LoopControls,
         {{100, 200}, {400, 100}},
         0,
         {{120, 150, Full, kAny, kAny}, {121, 150, Full, kAny, kAny}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EditorFixture f(makeDocument(512, r.form, r.points));
        f.refresh();
        EditorContext ctx = f.context();
        const ChannelCurve& c = f.doc.channels[0];
        const CurvePoint& a = c.anchorPoints[r.pressed];
        ASSERT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
        ASSERT_EQ(f.edit.hoveredPoint, r.pressed);
        for (const Step& s : r.steps) {
            const DragPath path = DragStep(ctx, s.x, s.y);
            EXPECT_TRUE(s.path == None || path == s.path) << s.x << "," << s.y;
            EXPECT_TRUE(std::isnan(s.ax) || std::abs(a.x - s.ax) < 1e-9) << a.x;
            EXPECT_TRUE(std::isnan(s.ay) || std::abs(a.y - s.ay) < 1e-9) << a.y;
            const int n = c.pointCount;
            if (r.form == Points::OpenAnchors) {
                EXPECT_EQ(c.anchorPoints[0].x, 56);
                EXPECT_EQ(c.anchorPoints[n - 1].x, 567);
                for (const int i : {0, n - 1}) {
                    EXPECT_EQ(c.controlPoints[i], c.anchorPoints[i]);
                    EXPECT_EQ(f.doc.colorLine.level(0, i ? 511 : 0),
                              std::clamp(320 - static_cast<int>(c.anchorPoints[i].y), 0, 255));
                }
            }
        }
    }
}

// What a step leaves must be what a whole-document refresh of the same document shows: levels,
// anchors, colour bars, gradation picture, the other channels' layers and the plot outside the
// hover ring and its read-out. With `levelsMayDiffer` only the drawing is checked, against a
// redraw from the levels the step left.
void expectSameAsRefresh(EditorFixture& f, GraphBuffers& ref, bool levelsMayDiffer) {
    GradationDocument copy = f.doc;
    test::renderFromScratch(copy, ref, f.colors, f.text, f.layout, levelsMayDiffer);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        ASSERT_TRUE(levelsMayDiffer || copy.colorLine[ch] == f.doc.colorLine[ch]) << ch;
        ASSERT_TRUE(copy.channels[ch].anchorPoints == f.doc.channels[ch].anchorPoints) << ch;
    }
    const int l = f.doc.length;
    const Surface& main = f.buffers->mainBuffer;
    Surface expected = ref.mainBuffer; // the ring and the read-out are the step's own
    CopyBlock(expected, f.edit.ringSaveX, f.edit.ringSaveY, main, f.edit.ringSaveX,
              f.edit.ringSaveY, 33, 33);
    if (f.showPointPositions) {
        CopyBlock(expected, f.edit.readoutLeft, 353, main, f.edit.readoutLeft, 353,
                  f.edit.readoutRight - f.edit.readoutLeft + 1, 15);
    }
    ASSERT_EQ(test::countDifferences(main, expected, {0, 0, l + 112, 490}), 0) << "plot";
    const Surface& grad = f.buffers->gradationBuffer(f.doc.direction);
    ASSERT_EQ(test::countDifferences(grad, ref.gradationBuffer(f.doc.direction),
                                     {0, 0, f.layout.bufferWidth, f.layout.bufferHeight}),
              0)
        << "gradation";
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        ASSERT_TRUE(ch == f.doc.currentChannel ||
                    test::countDifferences(f.buffers->channelLayers[ch], ref.channelLayers[ch],
                                           {54, 30, 58 + l, 354}) == 0)
            << "layer " << ch;
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
    const int n = std::clamp(3 + rng.next() % 40, doc.loop ? 1 : 2, std::max(3, l / 3));
    zig.pointCount = n;
    for (int j = 0; j < n; ++j) {
        const double x = doc.loop ? 56.0 + (l - 1.0) * (j + 0.1 + 0.8 * randomFraction(rng)) / n
                                  : 56.0 + (l - 1.0) * j / (n - 1);
        zig.controlPoints[j] = {x, -150.0 + 600.0 * randomFraction(rng)};
    }
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        if (!doc.synchro || doc.synchroChannels[ch] || rng.next() % 2 == 0) {
            doc.channels[ch] = zig;
        }
    }
}

// The local re-evaluation of a loop curve computes the segment left of the seam, when point 0
// moved, one period to the left, where the end of that segment is the truncation of a negative
// half-integer: one dot later than the whole evaluation puts it. The levels of that segment may
// then differ by the rounding of its points; the pictures must still show exactly those levels.
bool seamRoundingDiffers(const GradationDocument& doc, ChannelIndex ch, int k) {
    const ChannelCurve& c = doc.channels[ch];
    const int n = c.pointCount;
    if (!doc.loop || k != 0 || n < 3) {
        return false;
    }
    const std::int64_t sum =
        static_cast<std::int64_t>(std::floor(c.controlPoints[n - 1].x - doc.length)) +
        static_cast<std::int64_t>(std::trunc(c.controlPoints[0].x));
    return sum < 0 && sum % 2 != 0;
}

// Random layouts: length, loop, CMY, direction, synchro and its channels, the current channel
// and the read-out; drags of small and wild steps, and steps to either end of a loop's period.
// Synchro channels stay identical to the dragged one; the others keep their points.
TEST(DragStep, PartialStepLeavesWhatAFullRefreshShows) {
    RandomGenerator rng;
    rng.seed(20240611);
    auto ref = std::make_unique<GraphBuffers>();
    int partialSteps = 0, fullSteps = 0, seamSteps = 0, synchroSteps = 0;
    for (int round = 0; round < 48; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        EditorFixture f;
        const int lengths[] = {2, 3, 17, 64, 200, 511, 512, 1000, 1600};
        f.doc.length = lengths[rng.next() % 9];
        f.doc.loop = rng.next() % 2;
        f.doc.cmy = rng.next() % 2;
        f.doc.direction = rng.next() % 4;
        f.doc.synchro = rng.next() % 3 != 0;
        for (auto& flag : f.doc.synchroChannels) {
            flag = rng.next() % 2;
        }
        f.doc.currentChannel = rng.next() % 3;
        f.showPointPositions = rng.next() % 2;
        randomCurves(f.doc, rng);
        f.refresh();
        const ChannelIndex cur = f.doc.currentChannel;
        const ChannelCurve& curve = f.doc.channels[cur];
        if (curve.pointCount == 0) {
            continue;
        }
        const GradationDocument before = f.doc;
        const CurvePoint a = curve.anchorPoints[rng.next() % curve.pointCount];
        auto ctx = f.context();
        if (!StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y))) {
            continue;
        }
        bool diverged = false;
        int px = static_cast<int>(a.x);
        int py = static_cast<int>(a.y);
        for (int step = 0; step < 6; ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            const int kind = rng.next() % 8;
            if (kind == 0) {
                px += rng.next() % 4001 - 2000;
                py += rng.next() % 801 - 400;
            } else if (kind == 1 && f.doc.loop) {
                px = rng.next() % 2 == 0 ? 56 + rng.next() % 12
                                         : f.doc.length + 44 + rng.next() % 12;
                ++seamSteps;
            } else {
                px += rng.next() % 41 - 20;
                py += rng.next() % 41 - 20;
            }
            const DragPath path = DragStep(ctx, px, py);
            ++(path == DragPath::Partial ? partialSteps : fullSteps);
            diverged |=
                path == DragPath::Partial && seamRoundingDiffers(f.doc, cur, f.edit.hoveredPoint);
            expectSameAsRefresh(f, *ref, diverged);
            const bool synchro = f.doc.synchro && f.doc.synchroChannels[cur];
            for (ChannelIndex t = 0; t < 3; ++t) {
                if (t == cur) {
                    continue;
                }
                const ChannelCurve& other = f.doc.channels[t];
                const bool follows = synchro && f.doc.synchroChannels[t];
                const ChannelCurve& want = follows ? curve : before.channels[t];
                ASSERT_EQ(other.pointCount, want.pointCount) << t;
                ASSERT_TRUE(other.controlPoints == want.controlPoints) << "channel " << t;
                synchroSteps += follows;
            }
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    EXPECT_GT(partialSteps, 60);
    EXPECT_GT(fullSteps, 10);
    EXPECT_GT(seamSteps, 5);
    EXPECT_GT(synchroSteps, 10);
}

} // namespace
} // namespace spectrane
