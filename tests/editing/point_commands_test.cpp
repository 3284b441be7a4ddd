#include "editing/point_commands.h"

#include "editing/hit_test.h"
#include "model/spline.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::controlsOf;
using test::EditorFixture;
using Curve = std::vector<CurvePoint>;

std::unique_ptr<GradationDocument> fourPoints() {
    return test::openDocumentFromAnchors(512, {{56, 200}, {200.6, 150.3}, {400, 120}, {567, 250}});
}

CurvePoint halfway(CurvePoint a, CurvePoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

TEST(PointCommands, InsertDeleteAndTheirRefusals) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    const Curve b = controlsOf(f.doc, 0);
    ASSERT_TRUE(InsertPoint(ctx, 0, 0)); // the first highlighted: between the first and second
    EXPECT_EQ(controlsOf(f.doc, 0), (Curve{b[0], halfway(b[0], b[1]), b[1], b[2], b[3]}));
    ASSERT_TRUE(InsertPoint(ctx, 0, 3)); // before an interior point: halfway from the one before
    EXPECT_EQ(controlsOf(f.doc, 0),
              (Curve{b[0], halfway(b[0], b[1]), b[1], halfway(b[1], b[2]), b[2], b[3]}));
    ASSERT_TRUE(DeletePoint(ctx, 0, 1, false));
    EXPECT_EQ(controlsOf(f.doc, 0), (Curve{b[0], b[1], halfway(b[1], b[2]), b[2], b[3]}));
    EXPECT_TRUE(f.host.messages.empty());

    // Refused with a message, the channel unchanged: an open curve's ends, a 257th point, a
    // loop's last point.
    struct Refusal {
        int count;
        bool loop, insert;
        int index;
        std::string_view message;
    };
    for (const Refusal& r : {Refusal{5, false, false, 0, kEndPointMessage},
                             {5, false, false, 4, kEndPointMessage},
                             {256, false, true, 100, kTooManyPointsMessage},
                             {1, true, false, 0, kLastPointMessage}}) {
        f.doc.channels[1].pointCount = r.count;
        const Curve kept = controlsOf(f.doc, 1);
        EXPECT_FALSE(r.insert ? InsertPoint(ctx, 1, r.index)
                              : DeletePoint(ctx, 1, r.index, r.loop));
        EXPECT_EQ(f.host.messages.back(), r.message);
        EXPECT_EQ(controlsOf(f.doc, 1), kept);
    }
    EXPECT_EQ(f.host.messages.size(), 4u);

    // A loop curve loses any point down to the last; one point grows into two equal ones.
    f.doc.channels[2].pointCount = 3;
    f.doc.channels[2].controlPoints[0] = {80, 100};
    f.doc.channels[2].controlPoints[1] = {200, 150};
    f.doc.channels[2].controlPoints[2] = {300, 200};
    EXPECT_TRUE(DeletePoint(ctx, 2, 0, true));
    EXPECT_TRUE(DeletePoint(ctx, 2, 1, true));
    EXPECT_EQ(controlsOf(f.doc, 2), (Curve{{200, 150}}));
    EXPECT_TRUE(InsertPoint(ctx, 2, 0));
    EXPECT_EQ(controlsOf(f.doc, 2), (Curve{{200, 150}, {200, 150}}));
}

// Each popup command ends with the current channel recomputed and redrawn and no highlight;
// dismissing the menu changes nothing, Cancel only takes the ring away.
TEST(PointCommands, PopupCommandsRedrawAndClearTheHighlight) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 320}, {300, 100}, {567, 65}}));
    f.refresh();
    auto ctx = f.context();
    const Surface clean = f.buffers->mainBuffer;
    ASSERT_TRUE(UpdateHover(ctx, 300, 100));
    const GradationDocument before = f.doc;
    RunPopupCommand(ctx, 0);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    RunPopupCommand(ctx, kPopupEditorCancel);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    EXPECT_EQ(f.doc.channels[0].controlPoints, before.channels[0].controlPoints);
    EXPECT_EQ(test::countDifferences(clean, f.buffers->mainBuffer), 0);

    // Deleting the middle of three leaves the straight line from level 0 to 255.
    ASSERT_TRUE(UpdateHover(ctx, 300, 100));
    RunPopupCommand(ctx, kPopupDeletePoint);
    EXPECT_EQ(f.doc.channels[0].pointCount, 2);
    for (const auto& [dot, level] : {std::pair{0, 0}, {255, 127}, {511, 255}}) {
        EXPECT_EQ(f.doc.colorLine.level(0, dot), level);
    }
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    GradationDocument copy = f.doc;
    auto ref = std::make_unique<GraphBuffers>();
    test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
    EXPECT_EQ(test::countDifferences(ref->mainBuffer, f.buffers->mainBuffer, {0, 0, 624, 490}), 0);
}

// Setting a position moves only the axis whose shown value changed, clamps to the anchor
// limits, and keeps an open curve's end on its dot.
TEST(PointCommands, SetPositionMovesOnlyTheChangedAxis) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    ChannelCurve& c = f.doc.channels[0];
    const double x1 = c.anchorPoints[1].x;
    SetPointPosition(ctx, 0, 1, static_cast<int>(std::floor(x1 - 56)), 100, false);
    deriveAnchors(f.doc, 0);
    EXPECT_NEAR(c.anchorPoints[1].x, x1, 1e-9); // the same dot: x keeps its fraction
    EXPECT_NEAR(c.anchorPoints[1].y, 220.0, 1e-9);
    SetPointPosition(ctx, 0, 0, 300, 280, false);
    EXPECT_EQ(c.controlPoints[0], (CurvePoint{56, 40}));
    SetPointPosition(ctx, 0, 2, 5000, -500, false);
    deriveAnchors(f.doc, 0);
    EXPECT_NEAR(c.anchorPoints[2].x, 567.0, 1e-9);
    EXPECT_NEAR(c.anchorPoints[2].y, 351.0, 1e-9);
    // Through the popup, with the typed values.
    f.edit.hoveredPoint = 1;
    f.edit.positionDot = 150;
    f.edit.positionLevel = 10;
    RunPopupCommand(ctx, kPopupSetPosition);
    EXPECT_NEAR(c.anchorPoints[1].x, 206.0, 1e-9);
    EXPECT_NEAR(c.anchorPoints[1].y, 310.0, 1e-9);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
}

} // namespace
} // namespace spectrane
