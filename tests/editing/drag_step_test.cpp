#include "editing/drag_step.h"

#include "editing/drag_start.h"
#include "model/random_curves.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::EditorFixture;

// A step's result must be what a whole-document refresh of the same document shows: levels,
// anchors, colour bars, gradation picture, other layers, the plot outside the ring and read-out.
// With `levelsMayDiffer` only the drawing is checked, against a redraw from the step's levels.
void expectSameAsRefresh(EditorFixture& f, GraphBuffers& ref, bool levelsMayDiffer) {
    GradationDocument copy = f.doc;
    test::renderFromScratch(copy, ref, f.colors, f.text, f.layout, levelsMayDiffer);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        ASSERT_TRUE(levelsMayDiffer || copy.colorLine[ch] == f.doc.colorLine[ch]) << ch;
        ASSERT_TRUE(copy.channels[ch].anchorPoints == f.doc.channels[ch].anchorPoints) << ch;
        ASSERT_TRUE(ch == f.doc.currentChannel ||
                    test::countDifferences(f.buffers->channelLayers[ch], ref.channelLayers[ch],
                                           {54, 30, 58 + f.doc.length, 354}) == 0)
            << "layer " << ch;
    }
    const Surface& main = f.buffers->mainBuffer;
    Surface expected = ref.mainBuffer; // the ring and the read-out are the step's own
    const EditState& e = f.edit;
    CopyBlock(expected, e.ringSaveX, e.ringSaveY, main, e.ringSaveX, e.ringSaveY, 33, 33);
    if (f.showPointPositions) {
        CopyBlock(expected, e.readoutLeft, 353, main, e.readoutLeft, 353,
                  e.readoutRight - e.readoutLeft + 1, 15);
    }
    ASSERT_EQ(test::countDifferences(main, expected, {0, 0, f.doc.length + 112, 490}), 0);
    ASSERT_EQ(test::countDifferences(f.buffers->gradationBuffer(f.doc.direction),
                                     ref.gradationBuffer(f.doc.direction),
                                     {0, 0, f.layout.bufferWidth, f.layout.bufferHeight}),
              0);
}

// Mostly the program's own random curves, sometimes dense zig-zags whose steep edges meet the
// borders of the redrawn stretch.
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

// When point 0 of a loop moved, the local re-evaluation computes the segment left of the seam
// one period to the left, where its end truncates a negative half-integer one dot later than
// the whole evaluation does; its levels may then differ by the rounding of its points.
bool seamRoundingDiffers(const GradationDocument& doc, ChannelIndex ch, int k) {
    const ChannelCurve& c = doc.channels[ch];
    const int n = c.pointCount;
    const auto sum = static_cast<std::int64_t>(std::floor(c.controlPoints[n - 1].x - doc.length)) +
                     static_cast<std::int64_t>(std::trunc(c.controlPoints[0].x));
    return doc.loop && k == 0 && n >= 3 && sum < 0 && sum % 2 != 0;
}

// Random layouts (length, loop, CMY, direction, synchro, current channel, read-out) and drags
// of small, wild and seam-crossing steps. Each step puts the anchor under the pointer within
// its limits (an open end keeps its dot); synchro channels follow, the others keep their points.
TEST(DragStep, PartialStepLeavesWhatAFullRefreshShows) {
    RandomGenerator rng;
    rng.seed(20240611);
    auto ref = std::make_unique<GraphBuffers>();
    int partialSteps = 0, fullSteps = 0, seamSteps = 0, synchroSteps = 0, clampedSteps = 0;
    for (int round = 0; round < 48; ++round) {
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
        const ChannelIndex cur = f.doc.currentChannel = rng.next() % 3;
        f.showPointPositions = rng.next() % 2;
        randomCurves(f.doc, rng);
        f.refresh();
        const ChannelCurve& curve = f.doc.channels[cur];
        const GradationDocument before = f.doc;
        const int i = rng.next() % curve.pointCount;
        const CurvePoint& a = curve.anchorPoints[i];
        auto ctx = f.context();
        int px = static_cast<int>(a.x);
        int py = static_cast<int>(a.y);
        ASSERT_TRUE(StartDrag(ctx, px, py));
        ASSERT_EQ(f.edit.hoveredPoint, i);
        const bool fixedX = !f.doc.loop && (i == 0 || i == curve.pointCount - 1);
        const double x0 = fixedX ? a.x : 0;
        bool diverged = false;
        for (int step = 0; step < 6; ++step) {
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);
            const int kind = rng.next() % 8;
            if (kind == 0) {
                px += rng.next() % 4001 - 2000;
                py += rng.next() % 801 - 400;
            } else if (kind == 1 && f.doc.loop) {
                px = rng.next() % 2 ? f.doc.length + 44 + rng.next() % 12 : 56 + rng.next() % 12;
                ++seamSteps;
            } else {
                px += rng.next() % 41 - 20;
                py += rng.next() % 41 - 20;
            }
            const DragPath path = DragStep(ctx, px, py);
            ++(path == DragPath::Partial ? partialSteps : fullSteps);
            diverged |= path == DragPath::Partial && seamRoundingDiffers(f.doc, cur, i);
            expectSameAsRefresh(f, *ref, diverged);
            const int wantX = std::clamp(px + f.edit.grabOffsetX, 56, f.doc.length + 55);
            const int wantY = std::clamp(py + f.edit.grabOffsetY, 32, 351);
            ASSERT_NEAR(a.x, fixedX ? x0 : wantX, 1e-6);
            ASSERT_NEAR(a.y, wantY, 1e-6);
            clampedSteps += wantX != px + f.edit.grabOffsetX || wantY != py + f.edit.grabOffsetY;
            for (ChannelIndex t = 0; t < 3; ++t) {
                const bool follows = t != cur && f.doc.synchro && f.doc.synchroChannels[cur] &&
                                     f.doc.synchroChannels[t];
                const ChannelCurve& want = follows ? curve : before.channels[t];
                ASSERT_TRUE(t == cur || f.doc.channels[t].controlPoints == want.controlPoints) << t;
                synchroSteps += follows;
            }
        }
    }
    EXPECT_GT(partialSteps, 60);
    EXPECT_GT(fullSteps, 10);
    EXPECT_GT(seamSteps, 5);
    EXPECT_GT(synchroSteps, 10);
    EXPECT_GT(clampedSteps, 10);
}

} // namespace
} // namespace spectrane
