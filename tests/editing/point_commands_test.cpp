#include "editing/point_commands.h"

#include "editing/drag_step.h"
#include "editing/hit_test.h"
#include "editing/synchro.h"
#include "editing_fixture.h"
#include "model/spline.h"

#include <cmath>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::EditorFixture;

TEST(PointCommands, InsertDeleteAndTheirRefusals) {
    EditorFixture f(
        test::openDocumentFromAnchors(512, {{56, 200}, {200, 150}, {400, 120}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    ChannelCurve& c = f.doc.channels[0];
    const auto before = c.controlPoints;

    // With the first point highlighted the new point goes between the first and the second.
    ASSERT_TRUE(InsertPoint(ctx, 0, 0));
    EXPECT_EQ(c.pointCount, 5);
    EXPECT_EQ(c.controlPoints[0], before[0]);
    EXPECT_EQ(c.controlPoints[1],
              (CurvePoint{(before[0].x + before[1].x) / 2, (before[0].y + before[1].y) / 2}));
    EXPECT_EQ(c.controlPoints[2], before[1]);
    EXPECT_EQ(c.controlPoints[4], before[3]);
    // Before an interior point: halfway between it and the one before.
    ASSERT_TRUE(InsertPoint(ctx, 0, 3));
    EXPECT_EQ(c.pointCount, 6);
    EXPECT_EQ(c.controlPoints[3],
              (CurvePoint{(before[1].x + before[2].x) / 2, (before[1].y + before[2].y) / 2}));
    EXPECT_EQ(c.controlPoints[4], before[2]);

    // End points of an open curve stay.
    EXPECT_FALSE(DeletePoint(ctx, 0, 0, false));
    EXPECT_FALSE(DeletePoint(ctx, 0, 5, false));
    ASSERT_EQ(f.host.messages.size(), 2u);
    EXPECT_EQ(f.host.messages[0], "端点を削除することは出来ません。");
    EXPECT_EQ(c.pointCount, 6);
    ASSERT_TRUE(DeletePoint(ctx, 0, 1, false));
    EXPECT_EQ(c.pointCount, 5);
    EXPECT_EQ(c.controlPoints[1], before[1]);

    // 256 points: no more.
    c.pointCount = 256;
    EXPECT_FALSE(InsertPoint(ctx, 0, 100));
    EXPECT_EQ(c.pointCount, 256);
    EXPECT_EQ(f.host.messages.back(), "これ以上ポイントを増やすことは出来ません。(最大数=256)");

    // A loop curve loses any point down to the last one; one point grows into two equal ones.
    ChannelCurve& loop = f.doc.channels[1];
    loop.pointCount = 3;
    loop.controlPoints[0] = {80, 100};
    loop.controlPoints[1] = {200, 150};
    loop.controlPoints[2] = {300, 200};
    EXPECT_TRUE(DeletePoint(ctx, 1, 0, true));
    EXPECT_EQ(loop.controlPoints[0], (CurvePoint{200, 150}));
    EXPECT_TRUE(DeletePoint(ctx, 1, 1, true));
    EXPECT_EQ(loop.pointCount, 1);
    EXPECT_FALSE(DeletePoint(ctx, 1, 0, true));
    EXPECT_EQ(f.host.messages.back(), "残り一点を削除することは出来ません。");
    EXPECT_TRUE(InsertPoint(ctx, 1, 0));
    EXPECT_EQ(loop.pointCount, 2);
    EXPECT_EQ(loop.controlPoints[1], loop.controlPoints[0]);
}

TEST(PointCommands, DeletingTheMiddleOfThreeLeavesTheStraightLine) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 320}, {300, 100}, {567, 65}}));
    f.refresh();
    auto ctx = f.context();
    f.edit.hoveredPoint = 1;
    RunPopupCommand(ctx, kPopupDeletePoint);
    EXPECT_EQ(f.doc.channels[0].pointCount, 2);
    EXPECT_EQ(f.doc.colorLine.level(0, 0), 0);
    EXPECT_EQ(f.doc.colorLine.level(0, 511), 255);
    EXPECT_EQ(f.doc.colorLine.level(0, 255), 127);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
}

TEST(PointCommands, SetPositionMovesOnlyTheChangedAxis) {
    EditorFixture f(
        test::openDocumentFromAnchors(512, {{56, 200.4}, {200.6, 150.3}, {400, 120}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    ChannelCurve& c = f.doc.channels[0];
    // Same dot, new level: x keeps its fraction.
    const double x1 = c.anchorPoints[1].x;
    SetPointPosition(ctx, 0, 1, static_cast<int>(std::floor(x1 - 56)), 100, false);
    deriveAnchors(f.doc, 0);
    EXPECT_NEAR(c.anchorPoints[1].x, x1, 1e-9);
    EXPECT_NEAR(c.anchorPoints[1].y, 220.0, 1e-9);
    // An end point of an open curve keeps its dot; its level changes.
    SetPointPosition(ctx, 0, 0, 300, 280, false);
    EXPECT_DOUBLE_EQ(c.anchorPoints[0].x, 56.0);
    EXPECT_DOUBLE_EQ(c.controlPoints[0].y, 40.0);
    // Out-of-range values are clamped to the anchor limits.
    SetPointPosition(ctx, 0, 2, 5000, -500, false);
    deriveAnchors(f.doc, 0);
    EXPECT_NEAR(c.anchorPoints[2].x, 567.0, 1e-9);
    EXPECT_NEAR(c.anchorPoints[2].y, 351.0, 1e-9);

    // Through the popup command: the typed values, then the full redraw and no highlight.
    f.edit.hoveredPoint = 1;
    f.edit.positionDot = 150;
    f.edit.positionLevel = 10;
    RunPopupCommand(ctx, kPopupSetPosition);
    EXPECT_NEAR(c.anchorPoints[1].x, 206.0, 1e-9);
    EXPECT_NEAR(c.anchorPoints[1].y, 310.0, 1e-9);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
}

TEST(PointCommands, CancelRedrawsUnchangedAndDismissOnlyRepaints) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 200}, {300, 120}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    const Surface clean = f.buffers->mainBuffer;
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    ASSERT_TRUE(UpdateHover(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
    const GradationDocument before = f.doc;
    // Dismissed: the ring stays.
    RunPopupCommand(ctx, 0);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    // Cancel: the ring goes, nothing else changes.
    RunPopupCommand(ctx, kPopupEditorCancel);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    EXPECT_EQ(f.doc.channels[0].controlPoints, before.channels[0].controlPoints);
    const Surface& main = f.buffers->mainBuffer;
    EXPECT_EQ(test::countDifferences(clean, main, {0, 0, main.width(), main.height()}), 0);
}

TEST(PointCommands, InsertAndDeleteKeepCheckedChannelsIdentical) {
    EditorFixture f(
        test::openDocumentFromAnchors(512, {{56, 200}, {200, 150}, {400, 120}, {567, 250}}));
    f.doc.synchro = 1;
    f.doc.synchroChannels = {1, 0, 1};
    f.doc.channels[1].controlPoints[1].y += 40;
    f.refresh();
    auto ctx = f.context();
    const ChannelCurve unchecked = f.doc.channels[1];
    f.edit.hoveredPoint = 2;
    RunPopupCommand(ctx, kPopupInsertPoint);
    EXPECT_EQ(f.doc.channels[0].pointCount, 5);
    EXPECT_EQ(f.doc.channels[2].pointCount, 5);
    EXPECT_EQ(f.doc.channels[2].controlPoints, f.doc.channels[0].controlPoints);
    EXPECT_EQ(f.doc.channels[1].controlPoints, unchecked.controlPoints);
    EXPECT_EQ(f.doc.channels[1].pointCount, 4);
    f.edit.hoveredPoint = 3;
    RunPopupCommand(ctx, kPopupDeletePoint);
    EXPECT_EQ(f.doc.channels[2].pointCount, 4);
    for (int j = 0; j < 512; ++j) {
        ASSERT_EQ(f.doc.colorLine[2][j], f.doc.colorLine[0][j]) << j;
    }
}

} // namespace
} // namespace spectrane
