#include "editing/hit_test.h"

#include "editing/drag_start.h"
#include "model/spline.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::EditorFixture;
using test::makeDocument;
using test::Points;

// Hit when the squared distance, each offset truncated toward zero, is at most 576 (24
// pixels); of equally near anchors the lowest index; only the given channel counts.
TEST(HitTest, WithinTwentyFourPixelsAfterTruncationLowestIndexWinsTies) {
    struct Row {
        std::vector<CurvePoint> anchors;
        int x, y;
        ChannelIndex ch;
        int expected;
    };
    const std::vector<CurvePoint> two = {{200, 100}, {400, 200}};
    const std::vector<CurvePoint> tie = {{100, 100}, {120, 100}};
    const Row rows[] = {
        {two, 176, 100, 0, 0},           {two, 176, 101, 0, -1}, // 576 and 577
        {two, 200, 124, 0, 0},           {two, 200, 125, 0, -1},
        {two, 183, 117, 0, -1}, // 578
        {two, 184, 116, 0, 0},           {two, 300, 150, 0, -1},
        {{{100.9, 50}}, 125, 50, 0, 0},                                 // -24.1 truncates to -24
        {{{100.9, 50}}, 126, 50, 0, -1}, {{{100.9, 50}}, 76, 50, 0, 0}, // 24.9 to 24
        {tie, 110, 100, 0, 0},           {{{100, 100}, {120, 100}, {109, 100}}, 110, 100, 0, 2},
        {tie, 110, 100, 1, -1},
    };
    for (const Row& r : rows) {
        GradationDocument doc;
        doc.channels[0].pointCount = static_cast<int>(r.anchors.size());
        std::copy(r.anchors.begin(), r.anchors.end(), doc.channels[0].anchorPoints.begin());
        EXPECT_EQ(HitTestAnchor(doc, r.x, r.y, r.ch), r.expected) << r.x << "," << r.y;
    }
}

// Control point i = (anchor i - A) K puts anchor i back wherever it is moved, for open and
// loop curves of every size.
TEST(HitTest, InverseCoefficientsPutTheAnchorBack) {
    for (const bool loop : {false, true}) {
        for (const int n : {1, 2, 3, 4, 5, 9}) {
            if (!loop && n < 2) {
                continue;
            }
            std::vector<CurvePoint> points;
            for (int j = 0; j < n; ++j) {
                points.push_back({60.0 + 290.0 * j / std::max(1, n - 1) * (loop ? 0.9 : 1.0),
                                  100.0 + 30.0 * ((j * 7) % 5)});
            }
            if (!loop) {
                points.back().x = 355.0;
            }
            auto doc =
                makeDocument(300, loop ? Points::LoopControls : Points::OpenControls, points);
            ChannelCurve& c = doc->channels[0];
            for (int i = 0; i < n; ++i) {
                const InverseCoefficients inv = ComputeInverseCoefficients(c, i, loop, 300);
                const bool movesAlong = loop || (i > 0 && i < n - 1);
                const CurvePoint target = {c.anchorPoints[i].x + (movesAlong ? 3.25 : 0.0),
                                           c.anchorPoints[i].y - 7.5};
                c.controlPoints[i] = {(target.x - inv.ax) * inv.k, (target.y - inv.ay) * inv.k};
                deriveAnchor(*doc, 0, i);
                EXPECT_NEAR(c.anchorPoints[i].x, target.x, 1e-9) << loop << " " << n << " " << i;
                EXPECT_NEAR(c.anchorPoints[i].y, target.y, 1e-9) << loop << " " << n << " " << i;
                deriveAnchors(*doc, 0);
            }
        }
    }
}

// The read-out "[x dot,y level]" is centred under the anchor, kept on the plot (x 56..L+55),
// and centred on the plot when wider than it; the ring has radius 16. Erasing puts back
// exactly the picture there was.
TEST(HitTest, HoverRingAndReadout) {
    struct Row {
        int length;
        std::vector<CurvePoint> controls;
        int point;
        const char* text;
        int left;
    };
    const Row rows[] = {
        {512, {{56, 200}, {288.5, 15}, {567, 250}}, 1, "[x 244,y 200]", 300 - 39}, // anchor 300
        {512, {{56, 200}, {567, 150}}, 0, "[x 0,y 120]", 56},
        {512, {{56, 200}, {567, 150}}, 1, "[x 511,y 170]", 567 + 1 - 13 * 6},
        {2, {{56, 200}, {57, 150}}, 0, "[x 0,y 120]", 56 + (2 - 11 * 6) / 2},
    };
    for (const Row& r : rows) {
        EditorFixture f(makeDocument(r.length, Points::OpenControls, r.controls));
        f.refresh();
        auto ctx = f.context();
        const Surface before = f.buffers->mainBuffer;
        EXPECT_FALSE(UpdateHover(ctx, 200, 340)); // near nothing: nothing changes
        EXPECT_EQ(f.host.mainInvalidations, 0);
        const CurvePoint a = f.doc.channels[0].anchorPoints[r.point];
        const int cx = static_cast<int>(a.x);
        const int cy = static_cast<int>(a.y);
        ASSERT_TRUE(UpdateHover(ctx, cx + 10, cy));
        EXPECT_EQ(f.edit.hoveredPoint, r.point);
        EXPECT_EQ(f.host.mainInvalidations, 1);
        ASSERT_EQ(f.text.calls.size(), 1u);
        EXPECT_EQ(f.text.calls[0].text, r.text);
        EXPECT_EQ(f.text.calls[0].x, r.left);
        EXPECT_EQ(f.text.calls[0].y, kReadoutTop);
        EXPECT_EQ(f.edit.readoutRight - f.edit.readoutLeft, f.text.measureText(r.text, {}).width);
        const Surface& main = f.buffers->mainBuffer;
        for (const auto& [x, y] : {std::pair{cx + 16, cy}, {cx - 16, cy}, {cx, cy - 16}}) {
            EXPECT_EQ(main.pixel(x, y), kHoverRingColor) << x << "," << y;
        }
        EXPECT_TRUE(UpdateHover(ctx, 200, 340));
        EXPECT_EQ(test::countDifferences(before, main), 0);
    }
    // Positions hidden: a ring, no text; erasing still blanks the last read-out box.
    EditorFixture f(makeDocument(512, Points::OpenControls, rows[0].controls));
    f.refresh();
    f.showPointPositions = false;
    auto ctx = f.context();
    f.edit.readoutLeft = 100;
    f.edit.readoutRight = 140;
    FillBox(f.buffers->mainBuffer, 100, 353, 140, 367, rgb(1, 2, 3));
    ASSERT_TRUE(UpdateHover(ctx, 300, 120));
    EXPECT_TRUE(f.text.calls.empty());
    EXPECT_EQ(f.buffers->mainBuffer.pixel(316, 120), kHoverRingColor);
    EXPECT_EQ(test::countColour(f.buffers->mainBuffer, rgb(1, 2, 3)), 41 * 15);
    EraseHoverRing(ctx);
    EXPECT_EQ(test::countColour(f.buffers->mainBuffer, rgb(1, 2, 3)), 0);
}

TEST(HitTest, PressRecordsOffsetsSnapshotAndCoefficients) {
    EditorFixture f(
        test::openDocumentFromAnchors(1600, {{56, 200}, {300.7, 120.2}, {900, 150}, {1655, 250}}));
    f.doc.synchro = true;
    f.doc.synchroChannels = {true, false, true};
    f.refresh();
    auto ctx = f.context();
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(StartDrag(ctx, 300 - 5, 120 + 3)); // 5 left of and 3 below the anchor
    EXPECT_TRUE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    EXPECT_EQ(f.edit.grabOffsetX, 5);  // 5.7 truncated
    EXPECT_EQ(f.edit.grabOffsetY, -2); // -2.8 truncated toward zero
    EXPECT_EQ(f.edit.ringCentreX, 300);
    EXPECT_EQ(f.edit.dragSnapshot.length, 1600);
    EXPECT_EQ(f.edit.dragSnapshot.synchroChannels, f.doc.synchroChannels);
    EXPECT_EQ(f.edit.inverseK, 1.6);                 // the second of four points
    EXPECT_EQ(f.doc.channels[0].anchorPoints[1], a); // nothing moved
    EndDrag(f.edit);
    EXPECT_FALSE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    // A press on empty plot starts nothing.
    EditorFixture g(test::openDocumentFromAnchors(512, {{56, 200}, {567, 250}}));
    g.refresh();
    auto gctx = g.context();
    EXPECT_FALSE(StartDrag(gctx, 300, 60));
    EXPECT_FALSE(g.edit.dragging);
    EXPECT_EQ(g.edit.hoveredPoint, -1);
}

} // namespace
} // namespace spectrane
