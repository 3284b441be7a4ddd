// The curve editor on the UI thread: hit test, hover ring and read-out, the press that starts a
// drag, the popup commands and synchro.
#include "editing/drag_start.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "editing/synchro.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "model/whole_numbers.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::controlsOf;
using test::EditorFixture;
using test::makeDocument;
using test::Points;
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

// "[x dot,y level]" centred under the anchor, kept on the plot (x 56..L+55), centred on the
// plot when wider; a ring of radius 16; moving away puts back exactly the picture there was.
TEST(Editor, HoverRingAndReadout) {
    const std::tuple<int, Curve, int, const char*, int> rows[] = {
        {512, {{56, 200}, {288.5, 15}, {567, 250}}, 1, "[x 244,y 200]", 300 - 39}, // at 300, 120
        {512, {{56, 200}, {567, 150}}, 0, "[x 0,y 120]", 56},
        {512, {{56, 200}, {567, 150}}, 1, "[x 511,y 170]", 567 + 1 - 13 * 6},
        {2, {{56, 200}, {57, 150}}, 0, "[x 0,y 120]", 56 + (2 - 11 * 6) / 2},
    };
    for (const auto& [length, controls, point, text, left] : rows) {
        EditorFixture f(makeDocument(length, Points::OpenControls, controls));
        f.refresh();
        auto ctx = f.context();
        const Surface before = f.buffers->mainBuffer;
        EXPECT_FALSE(UpdateHover(ctx, 200, 340)); // near nothing: nothing changes
        const CurvePoint a = f.doc.channels[0].anchorPoints[point];
        const int cx = static_cast<int>(a.x);
        const int cy = static_cast<int>(a.y);
        ASSERT_TRUE(UpdateHover(ctx, cx + 10, cy));
        EXPECT_EQ(f.edit.hoveredPoint, point);
        EXPECT_EQ(f.host.mainInvalidations, 1);
        ASSERT_EQ(f.text.calls.size(), 1u);
        EXPECT_EQ((std::tuple{f.text.calls[0].text, f.text.calls[0].x, f.text.calls[0].y}),
                  (std::tuple{std::string(text), left, kReadoutTop}));
        EXPECT_EQ(f.edit.readoutRight - f.edit.readoutLeft, f.text.measureText(text, {}).width);
        for (const auto& [x, y] : {std::pair{cx + 16, cy}, {cx - 16, cy}, {cx, cy - 16}}) {
            EXPECT_EQ(f.buffers->mainBuffer.pixel(x, y), kHoverRingColor) << x << "," << y;
        }
        EXPECT_TRUE(UpdateHover(ctx, 200, 340));
        EXPECT_EQ(test::countDifferences(before, f.buffers->mainBuffer), 0);
    }
    // Positions hidden: a ring, no text; erasing still blanks the last read-out box.
    EditorFixture f(makeDocument(512, Points::OpenControls, std::get<1>(rows[0])));
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

// A press records grab offsets truncated toward zero and moves nothing; the release keeps the
// highlight; a press on empty plot starts nothing.
TEST(Editor, PressStartsADragOnlyOnAnAnchor) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 200}, {300.7, 120.2}, {567, 250}}));
    f.refresh();
    auto ctx = f.context();
    const Curve before = controlsOf(f.doc, 0);
    ASSERT_TRUE(StartDrag(ctx, 300 - 5, 120 + 3));
    EXPECT_TRUE(f.edit.dragging && f.edit.hoveredPoint == 1);
    EXPECT_EQ((std::pair{f.edit.grabOffsetX, f.edit.grabOffsetY}), (std::pair{5, -2})); // 5.7, -2.8
    EXPECT_EQ(controlsOf(f.doc, 0), before);
    EndDrag(f.edit);
    EXPECT_TRUE(!f.edit.dragging && f.edit.hoveredPoint == 1);
    ResetEditState(f.edit);
    EXPECT_FALSE(StartDrag(ctx, 300, 60));
    EXPECT_TRUE(!f.edit.dragging && f.edit.hoveredPoint == -1);
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

// Each popup command ends with the channel redrawn as a refresh shows it and no highlight;
// dismissing changes nothing; Cancel takes the ring away; a typed position moves only the axis
// whose shown value changed, clamped, an open end keeping its dot.
TEST(Editor, PopupCommands) {
    EditorFixture f(test::openDocumentFromAnchors(512, {{56, 320}, {300, 100}, {567, 65}}));
    f.refresh();
    auto ctx = f.context();
    const Surface clean = f.buffers->mainBuffer;
    ASSERT_TRUE(UpdateHover(ctx, 300, 100));
    RunPopupCommand(ctx, 0);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    RunPopupCommand(ctx, kPopupEditorCancel);
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    EXPECT_EQ(test::countDifferences(clean, f.buffers->mainBuffer), 0);
    ASSERT_TRUE(UpdateHover(ctx, 300, 100));
    RunPopupCommand(ctx, kPopupDeletePoint); // the straight line from level 0 to 255 is left
    EXPECT_EQ((std::array{f.doc.colorLine.level(0, 0), f.doc.colorLine.level(0, 255),
                          f.doc.colorLine.level(0, 511)}),
              (std::array{0, 127, 255}));
    EXPECT_EQ(f.edit.hoveredPoint, -1);
    GradationDocument copy = f.doc;
    auto ref = std::make_unique<GraphBuffers>();
    test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
    EXPECT_EQ(test::countDifferences(ref->mainBuffer, f.buffers->mainBuffer, {0, 0, 624, 490}), 0);

    EditorFixture g(
        test::openDocumentFromAnchors(512, {{56, 200.4}, {200.6, 150.3}, {400, 120}, {567, 250}}));
    g.refresh();
    auto gctx = g.context();
    const auto& a = g.doc.channels[0].anchorPoints;
    const double x1 = a[1].x;
    SetPointPosition(gctx, 0, 1, static_cast<int>(std::floor(x1 - 56)), 100, false);
    deriveAnchors(g.doc, 0);
    EXPECT_NEAR(a[1].x, x1, 1e-9); // the same dot: x keeps its fraction
    EXPECT_NEAR(a[1].y, 220.0, 1e-9);
    SetPointPosition(gctx, 0, 0, 300, 280, false);
    EXPECT_EQ(a[0], (CurvePoint{56, 40}));
    SetPointPosition(gctx, 0, 2, 5000, -500, false);
    deriveAnchors(g.doc, 0);
    EXPECT_NEAR(a[2].x, 567.0, 1e-9);
    EXPECT_NEAR(a[2].y, 351.0, 1e-9);
    g.edit.hoveredPoint = 1;
    g.edit.positionDot = 150;
    g.edit.positionLevel = 10;
    RunPopupCommand(gctx, kPopupSetPosition);
    EXPECT_NEAR(a[1].x, 206.0, 1e-9);
    EXPECT_NEAR(a[1].y, 310.0, 1e-9);
    EXPECT_EQ(g.edit.hoveredPoint, -1);
}

// Whatever point is set to whatever position inside its limits, the position is then shown as
// typed, by the read-out too, although the stored coordinates may land a hair below a whole
// number (a level of 200 stored as 199.99999999999997).
TEST(Editor, ASetPositionShowsWhatWasTyped) {
    RandomGenerator rng;
    int hairBelow = 0;
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
        const int dot = rng.next() % 556;
        const int level = -31 + rng.next() % 320;
        ASSERT_TRUE(SetPointPosition(ctx, 0, i, dot, level, false));
        deriveAnchors(f.doc, 0);
        const CurvePoint& a = f.doc.channels[0].anchorPoints[i];
        EXPECT_EQ(shownFloor(a.x - 56), dot);
        EXPECT_EQ(shownFloor(320 - a.y), level);
        hairBelow += std::floor(a.x - 56) != dot || std::floor(320 - a.y) != level ? 1 : 0;
        ASSERT_TRUE(UpdateHover(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
        EXPECT_EQ(f.text.calls.back().text,
                  "[x " + std::to_string(dot) + ",y " + std::to_string(level) + "]");
    }
    EXPECT_GT(hairBelow, 0); // the rows include stored values a hair below the typed ones
}

// Synchro's source is the current channel if checked, else the lowest checked; a resync makes
// every checked channel a copy of it (and shows what a refresh shows); off or fewer than two
// checked, nothing. Inserting and deleting keep checked channels identical.
TEST(Editor, SynchroKeepsCheckedChannelsIdentical) {
    auto three =
        test::openDocumentFromAnchors(400, {{56, 200}, {150, 150}, {300, 120}, {455, 250}});
    three->channels[1].pointCount = 3;
    three->channels[1].controlPoints[1] = {250, 80};
    three->channels[1].controlPoints[2] = {455, 300};
    three->channels[2].controlPoints[2].y = 330;
    const auto same = [](const GradationDocument& d, ChannelIndex s, ChannelIndex t) {
        return controlsOf(d, s) == controlsOf(d, t) &&
               d.channels[s].anchorPoints == d.channels[t].anchorPoints &&
               d.colorLine[s] == d.colorLine[t];
    };
    for (const auto& [flags, current, source] : {std::tuple{std::array{true, true, false}, 0, 0},
                                                 {std::array{false, true, true}, 0, 1},
                                                 {std::array{true, true, true}, 2, 2},
                                                 {std::array{true, false, true}, 1, 0}}) {
        EditorFixture f(std::make_unique<GradationDocument>(*three));
        f.doc.synchro = true;
        f.doc.currentChannel = current;
        f.refresh();
        f.doc.synchroChannels = flags;
        EXPECT_EQ(SynchroSource(f.doc), source);
        const GradationDocument before = f.doc;
        auto ctx = f.context();
        ASSERT_TRUE(ResyncSynchro(ctx));
        for (ChannelIndex t = 0; t < 3; ++t) {
            EXPECT_EQ(controlsOf(f.doc, t), controlsOf(before, flags[t] ? source : t));
            EXPECT_TRUE(!flags[t] || same(f.doc, t, source));
        }
        GradationDocument copy = f.doc;
        auto ref = std::make_unique<GraphBuffers>();
        test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
        EXPECT_EQ(test::countDifferences(f.buffers->mainBuffer, ref->mainBuffer, {0, 0, 512, 490}),
                  0);
    }
    EditorFixture f(std::make_unique<GradationDocument>(*three));
    f.refresh();
    auto ctx = f.context();
    f.doc.synchroChannels = {true, true, true};
    EXPECT_FALSE(ResyncSynchro(ctx));
    f.doc.synchro = true;
    f.doc.synchroChannels = {false, true, false};
    EXPECT_FALSE(ResyncSynchro(ctx));
    f.doc.synchroChannels = {true, false, true};
    ASSERT_TRUE(ResyncSynchro(ctx));
    const Curve unchecked = controlsOf(f.doc, 1);
    for (const auto& [command, point, count] :
         {std::tuple{kPopupInsertPoint, 2, 5}, {kPopupDeletePoint, 3, 4}}) {
        f.edit.hoveredPoint = point;
        RunPopupCommand(ctx, command);
        EXPECT_EQ(f.doc.channels[0].pointCount, count);
        EXPECT_TRUE(same(f.doc, 0, 2));
        EXPECT_EQ(controlsOf(f.doc, 1), unchecked);
    }
}

} // namespace
} // namespace spectrane
