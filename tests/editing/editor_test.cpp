// The curve editor on the UI thread: the hit test, the point commands and what a set position
// shows. Hovering, the popup menu and synchro through the window are tested with the program
// (tests/app); the drag step, synchro channels following, in drag_step_test.cpp.
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "model/whole_numbers.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace spectrane {
namespace {

using test::controlsOf;
using test::EditorFixture;
using Curve = std::vector<CurvePoint>;

// Hit when the squared distance, each offset truncated toward zero, is at most 576 (24
// pixels); of equally near anchors the lowest index; only the given channel counts.
TEST(Editor, HitTestWithinTwentyFourPixelsAfterTruncation) {
    const Curve two = {{200, 100}, {400, 200}};
    const Curve frac = {{100.9, 50}};
    const Curve tie = {{100, 100}, {120, 100}};
    const Curve three = {{100, 100}, {120, 100}, {109, 100}};
    const std::tuple<const Curve&, int, int, ChannelIndex, int> rows[] = {
        {two, 176, 100, 0, 0},  {two, 176, 101, 0, -1}, {two, 200, 124, 0, 0},
        {two, 200, 125, 0, -1}, {two, 183, 117, 0, -1}, {two, 184, 116, 0, 0},
        {two, 300, 150, 0, -1}, {frac, 125, 50, 0, 0},  {frac, 126, 50, 0, -1},
        {frac, 76, 50, 0, 0},   {tie, 110, 100, 0, 0},  {three, 110, 100, 0, 2},
        {tie, 110, 100, 1, -1},
    };
    for (const auto& [anchors, x, y, ch, expected] : rows) {
        GradationDocument doc;
        doc.channels[0].pointCount = static_cast<int>(anchors.size());
        std::copy(anchors.begin(), anchors.end(), doc.channels[0].anchorPoints.begin());
        EXPECT_EQ(HitTestAnchor(doc, x, y, ch), expected) << x << "," << y;
    }
}

CurvePoint halfway(CurvePoint a, CurvePoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Insert puts a point halfway before the highlighted one (after the first); delete removes it;
// each refusal shows its message and leaves the channel alone.
TEST(Editor, InsertDeleteAndTheirRefusals) {
    EditorFixture f(
        test::openDocumentFromAnchors(512, {{56, 200}, {200.6, 150.3}, {400, 120}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    const Curve b = controlsOf(f.doc, 0);
    ASSERT_TRUE(InsertPoint(ctx, 0, 0));
    ASSERT_TRUE(InsertPoint(ctx, 0, 3));
    EXPECT_EQ(controlsOf(f.doc, 0),
              (Curve{b[0], halfway(b[0], b[1]), b[1], halfway(b[1], b[2]), b[2], b[3]}));
    ASSERT_TRUE(DeletePoint(ctx, 0, 1, false));
    EXPECT_EQ(controlsOf(f.doc, 0), (Curve{b[0], b[1], halfway(b[1], b[2]), b[2], b[3]}));
    f.edit.hoveredPoint = 2; // through the menu: redrawn as a refresh shows it, no highlight
    RunPopupCommand(ctx, kPopupDeletePoint);
    EXPECT_EQ(controlsOf(f.doc, 0), (Curve{b[0], b[1], b[2], b[3]}));
    GradationDocument copy = f.doc;
    auto ref = std::make_unique<GraphBuffers>();
    test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
    EXPECT_EQ(test::countDifferences(ref->mainBuffer, f.buffers->mainBuffer, {0, 0, 624, 490}), 0);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    const std::tuple<int, bool, bool, int, std::string_view> refusals[] = {
        // points, loop, insert, index, message
        {5, false, false, 0, kEndPointMessage},
        {5, false, false, 4, kEndPointMessage},
        {256, false, true, 100, kTooManyPointsMessage},
        {1, true, false, 0, kLastPointMessage},
    };
    for (const auto& [count, loop, insert, index, message] : refusals) {
        f.doc.channels[1].pointCount = count;
        const Curve kept = controlsOf(f.doc, 1);
        EXPECT_FALSE(insert ? InsertPoint(ctx, 1, index) : DeletePoint(ctx, 1, index, loop));
        EXPECT_EQ(f.host.messages.back(), message);
        EXPECT_EQ(controlsOf(f.doc, 1), kept);
    }
    EXPECT_EQ(f.host.messages.size(), 4u);
    // A loop loses any point down to the last; one point grows into two equal ones.
    f.doc.channels[2].pointCount = 3;
    std::copy_n(Curve{{80, 100}, {200, 150}, {300, 200}}.begin(), 3,
                f.doc.channels[2].controlPoints.begin());
    EXPECT_TRUE(DeletePoint(ctx, 2, 0, true) && DeletePoint(ctx, 2, 1, true));
    EXPECT_TRUE(InsertPoint(ctx, 2, 0));
    EXPECT_EQ(controlsOf(f.doc, 2), (Curve{{200, 150}, {200, 150}}));
}

// Whatever point is set to whatever position, the position is then shown as typed, cut to the
// anchor limits, although the stored coordinates may land a hair below a whole number (a level
// of 200 stored as 199.99999999999997). Hovering it draws the ring and the read-out "[x dot,y
// level]" centred under it, kept on the plot (x 56..L+55); moving away puts back the picture.
TEST(Editor, ASetPositionShowsWhatWasTyped) {
    RandomGenerator rng;
    int hairBelow = 0, clamped = 0;
    EditorFixture f;
    f.doc.length = 556;
    f.refresh();
    auto ctx = f.context();
    const auto randomLevelY = [&] { return 320.0 - rng.next() % 256; };
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<CurvePoint> anchors{{56, randomLevelY()}};
        for (int k = 1; k <= 4; ++k) {
            anchors.push_back({56.0 + 100 * k + rng.next() % 60, 70.0 + rng.next() % 250});
        }
        anchors.push_back({611, randomLevelY()});
        f.doc.channels = test::makeDocument(556, test::Points::OpenAnchors, anchors)->channels;
        ResetEditState(f.edit);
        const int i = 1 + rng.next() % 4;
        const int dot = -60 + rng.next() % 680;
        const int level = -60 + rng.next() % 380;
        const int shownDot = std::clamp(dot, 0, 555);
        const int shownLevel = std::clamp(level, -31, 288);
        clamped += dot != shownDot || level != shownLevel;
        ASSERT_TRUE(SetPointPosition(ctx, 0, i, dot, level, false));
        deriveAnchors(f.doc, 0);
        const CurvePoint& a = f.doc.channels[0].anchorPoints[i];
        EXPECT_EQ(shownFloor(a.x - 56), shownDot);
        EXPECT_EQ(shownFloor(320 - a.y), shownLevel);
        hairBelow += std::floor(a.x - 56) != shownDot || std::floor(320 - a.y) != shownLevel;
        const Surface before = f.buffers->mainBuffer;
        const int x = shownFloor(a.x);
        const int y = shownFloor(a.y);
        ASSERT_TRUE(UpdateHover(ctx, x, y));
        const std::string text =
            "[x " + std::to_string(shownDot) + ",y " + std::to_string(shownLevel) + "]";
        const int w = f.text.measureText(text, {}).width;
        EXPECT_EQ((std::tuple{f.text.calls.back().text, f.text.calls.back().x}),
                  (std::tuple{text, std::clamp(x - w / 2, 56, 612 - w)}));
        EXPECT_EQ(f.buffers->mainBuffer.pixel(x + 16, y), kHoverRingColor);
        ASSERT_TRUE(UpdateHover(ctx, 1000, 480));
        EXPECT_EQ(test::countDifferences(before, f.buffers->mainBuffer), 0);
    }
    EXPECT_GT(hairBelow, 0); // the rows include stored values a hair below the typed ones
    EXPECT_GT(clamped, 30);
}

} // namespace
} // namespace spectrane
