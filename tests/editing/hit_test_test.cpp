#include "editing/drag_start.h"
#include "editing/hit_test.h"

#include "editing_fixture.h"
#include "model/spline.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::EditorFixture;

GradationDocument docWithAnchors(std::initializer_list<CurvePoint> anchors) {
    GradationDocument doc;
    doc.channels[0].pointCount = static_cast<int>(anchors.size());
    int i = 0;
    for (const CurvePoint& p : anchors) {
        doc.channels[0].anchorPoints[i++] = p;
    }
    return doc;
}

TEST(HitTestAnchor, WithinTwentyFourPixelsAfterTruncationLowestIndexWinsTies) {
    GradationDocument doc = docWithAnchors({{200.0, 100.0}, {400.0, 200.0}});
    EXPECT_EQ(HitTestAnchor(doc, 176, 100, 0), 0);  // 24 left: d = 576
    EXPECT_EQ(HitTestAnchor(doc, 176, 101, 0), -1); // 24 left, 1 down: d = 577
    EXPECT_EQ(HitTestAnchor(doc, 200, 124, 0), 0);
    EXPECT_EQ(HitTestAnchor(doc, 200, 125, 0), -1);
    EXPECT_EQ(HitTestAnchor(doc, 183, 117, 0), -1); // 17^2 + 17^2 = 578
    EXPECT_EQ(HitTestAnchor(doc, 184, 116, 0), 0);  // 16^2 + 16^2 = 512
    EXPECT_EQ(HitTestAnchor(doc, 300, 150, 0), -1);

    // Offsets truncated toward zero before squaring: 100.9 - 125 = -24.1 -> -24.
    GradationDocument frac = docWithAnchors({{100.9, 50.0}});
    EXPECT_EQ(HitTestAnchor(frac, 125, 50, 0), 0);
    EXPECT_EQ(HitTestAnchor(frac, 126, 50, 0), -1);
    // 100.9 - 76 = 24.9 -> 24: hit from the left as well.
    EXPECT_EQ(HitTestAnchor(frac, 76, 50, 0), 0);

    // Equal distances: the lower index; a strictly nearer later one wins.
    GradationDocument tie = docWithAnchors({{100.0, 100.0}, {120.0, 100.0}, {109.0, 100.0}});
    EXPECT_EQ(HitTestAnchor(tie, 110, 100, 0), 2);
    GradationDocument tie2 = docWithAnchors({{100.0, 100.0}, {120.0, 100.0}});
    EXPECT_EQ(HitTestAnchor(tie2, 110, 100, 0), 0);
    // Only the given channel counts.
    EXPECT_EQ(HitTestAnchor(tie2, 110, 100, 1), -1);
}

TEST(ComputeInverseCoefficients, PutsTheAnchorBackForOpenAndLoopCurves) {
    for (int loop = 0; loop <= 1; ++loop) {
        for (int n : {1, 2, 3, 4, 5, 9}) {
            if (loop == 0 && n < 2) {
                continue;
            }
            GradationDocument doc;
            doc.length = 300;
            doc.loop = loop;
            ChannelCurve& c = doc.channels[0];
            c.pointCount = n;
            for (int j = 0; j < n; ++j) {
                c.controlPoints[j] = {60.0 + 290.0 * j / std::max(1, n - 1) * (loop ? 0.9 : 1.0),
                                      100.0 + 30.0 * ((j * 7) % 5)};
            }
            if (loop == 0) {
                c.controlPoints[n - 1].x = 355.0;
            }
            deriveAnchors(doc, 0);
            for (int i = 0; i < n; ++i) {
                const InverseCoefficients inv =
                    ComputeInverseCoefficients(c, i, loop != 0, doc.length);
                // Move the anchor to a new place inside the limits, then derive it back.
                const CurvePoint target = {c.anchorPoints[i].x +
                                               (loop || (i > 0 && i < n - 1) ? 3.25 : 0.0),
                                           c.anchorPoints[i].y - 7.5};
                c.controlPoints[i] = {(target.x - inv.ax) * inv.k, (target.y - inv.ay) * inv.k};
                deriveAnchor(doc, 0, i);
                EXPECT_NEAR(c.anchorPoints[i].x, target.x, 1e-9) << loop << " " << n << " " << i;
                EXPECT_NEAR(c.anchorPoints[i].y, target.y, 1e-9) << loop << " " << n << " " << i;
                deriveAnchors(doc, 0);
            }
        }
    }
    // The stated forms: n = 3 open middle point and an interior one.
    ChannelCurve c;
    c.pointCount = 3;
    c.controlPoints[0] = {56, 300};
    c.controlPoints[2] = {300, 100};
    const InverseCoefficients three = ComputeInverseCoefficients(c, 1, false, 245);
    EXPECT_DOUBLE_EQ(three.ax, (56 + 300) * 0.25);
    EXPECT_DOUBLE_EQ(three.ay, (300 + 100) * 0.25);
    EXPECT_DOUBLE_EQ(three.k, 2.0);
}

TEST(HoverRing, DrawsRingAndReadoutAndErasesBoth) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 200}, {300, 120}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    const Surface before = f.buffers->mainBuffer;
    // Not near anything: nothing changes.
    EXPECT_FALSE(UpdateHover(ctx, 200, 300));
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    EXPECT_EQ(f.host.mainInvalidations, 0);

    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(UpdateHover(ctx, static_cast<int>(a.x) + 10, static_cast<int>(a.y)));
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    EXPECT_EQ(f.host.mainInvalidations, 1);
    const Surface& main = f.buffers->mainBuffer;
    const int cx = static_cast<int>(a.x);
    const int cy = static_cast<int>(a.y);
    EXPECT_EQ(main.pixel(cx + 16, cy), kHoverRingColor);
    EXPECT_EQ(main.pixel(cx - 16, cy), kHoverRingColor);
    EXPECT_EQ(main.pixel(cx, cy - 16), kHoverRingColor);
    // "[x 244,y 200]" is 13 characters, 78 pixels wide, centred on floor(a.x).
    const int w = 13 * 6;
    EXPECT_EQ(f.edit.readoutLeft, static_cast<int>(f.edit.ringCentreX - w * 0.5));
    EXPECT_EQ(f.edit.readoutRight, f.edit.readoutLeft + w);

    // Off again: the picture is exactly what it was.
    EXPECT_TRUE(UpdateHover(ctx, 200, 300));
    EXPECT_EQ(test::countDifferences(before, main, {0, 0, main.width(), main.height()}), 0);
}

TEST(HoverRing, ReadoutIsClampedToThePlotAndCentredWhenWider) {
    test::FakeTextRenderer fake;
    for (int length : {512, 2}) {
        for (int which : {0, 1}) {
            EditorFixture f(
                test::openDocumentFromAnchors(length, {{56, 200}, {55.0 + length, 150}}));
            f.refresh();
            auto ctx = f.context();
            EditorContext withFake{ctx.doc,  ctx.buffers, ctx.colors,       fake,
                                   ctx.edit, ctx.host,    ctx.bitmapLayout, ctx.showPointPositions,
                                   nullptr};
            fake.calls.clear();
            const CurvePoint a = f.doc.channels[0].anchorPoints[which == 0 ? 0 : 1];
            ASSERT_TRUE(UpdateHover(withFake, static_cast<int>(a.x), static_cast<int>(a.y)));
            ASSERT_EQ(fake.calls.size(), 1u);
            const int w = static_cast<int>(fake.calls[0].text.size()) * 6;
            EXPECT_EQ(fake.calls[0].y, kReadoutTop);
            if (length == 2) {
                EXPECT_EQ(fake.calls[0].x, static_cast<int>(56 + (2 - w) * 0.5));
            } else if (which == 0) {
                EXPECT_EQ(fake.calls[0].x, 56);
                EXPECT_EQ(fake.calls[0].text, "[x 0,y 120]");
            } else {
                EXPECT_EQ(fake.calls[0].x + w - 1, length + 55); // last text column
            }
        }
    }
    // Hidden positions: a ring, no text; erasing still blanks the last box.
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 200}, {300, 120}, {567, 250}}));
    f.refresh();
    f.showPointPositions = 0;
    auto ctx = f.context();
    EditorContext withFake{ctx.doc,  ctx.buffers, ctx.colors,       fake,
                           ctx.edit, ctx.host,    ctx.bitmapLayout, ctx.showPointPositions,
                           nullptr};
    fake.calls.clear();
    f.edit.readoutLeft = 100;
    f.edit.readoutRight = 140;
    FillBox(f.buffers->mainBuffer, 100, 353, 140, 367, rgb(1, 2, 3));
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(UpdateHover(withFake, static_cast<int>(a.x), static_cast<int>(a.y)));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(f.buffers->mainBuffer.pixel(120, 360), rgb(1, 2, 3));
    EraseHoverRing(withFake);
    EXPECT_EQ(f.buffers->mainBuffer.pixel(120, 360), rgb(0, 0, 0));
    EXPECT_EQ(f.buffers->mainBuffer.pixel(140, 367), rgb(0, 0, 0));
}

TEST(StartDrag, RecordsOffsetsSnapshotAndCoefficientsWhateverTheScroll) {
    EditorFixture f(
        test::openDocumentFromAnchors(1600, {{56, 200}, {300.7, 120.2}, {900, 150}, {1655, 250}}));
    f.doc.synchro = 1;
    f.doc.synchroChannels = {1, 0, 1};
    f.refresh();
    auto ctx = f.context();
    // The content position is what counts: a press 5 left and 3 below the anchor.
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(StartDrag(ctx, static_cast<int>(a.x) - 5, static_cast<int>(a.y) + 3));
    EXPECT_TRUE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    EXPECT_EQ(f.edit.grabOffsetX, static_cast<int>(a.x - (static_cast<int>(a.x) - 5)));
    EXPECT_EQ(f.edit.grabOffsetY, static_cast<int>(a.y - (static_cast<int>(a.y) + 3)));
    EXPECT_EQ(f.edit.grabOffsetX, 5);
    EXPECT_EQ(f.edit.grabOffsetY, -2); // 120.2 - 123 = -2.8 -> -2
    EXPECT_EQ(f.edit.ringCentreX, 300);
    EXPECT_EQ(f.edit.dragSnapshot.length, 1600);
    EXPECT_EQ(f.edit.dragSnapshot.synchroChannels, (std::array<bool, 3>{true, false, true}));
    const auto inv = ComputeInverseCoefficients(f.doc.channels[0], 1, false, 1600);
    EXPECT_EQ(f.edit.inverseAx, inv.ax);
    EXPECT_EQ(f.edit.inverseK, 1.6);
    // Nothing moved.
    EXPECT_EQ(f.doc.channels[0].anchorPoints[1], a);
    EndDrag(f.edit);
    EXPECT_FALSE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);

    // A press on empty plot starts nothing.
    EditorFixture g(test::openDocumentFromAnchors(512, {{56, 200}, {567, 250}}));
    g.refresh();
    auto gctx = g.context();
    const GradationDocument before = g.doc;
    EXPECT_FALSE(StartDrag(gctx, 300, 60));
    EXPECT_FALSE(g.edit.dragging);
    EXPECT_EQ(g.doc.currentChannel, before.currentChannel);
    EXPECT_EQ(g.doc.channels[0].controlPoints, before.channels[0].controlPoints);
}

} // namespace
} // namespace spectrane
