// The editing layer: drag steps and key moves against a full refresh, the drag worker's thread,
// the point commands and a typed position. Hovering, the popup menu, synchro: tests/app.
#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "editing/drag_worker.h"
#include "editing/editor_input.h"
#include "editing/hit_test.h"
#include "editing/key_moves.h"
#include "editing/point_commands.h"
#include "model/random_curves.h"
#include "model/spline.h"
#include "model/whole_numbers.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace spectrane {
namespace {

using test::EditorFixture;

// Levels, anchors, bars, picture, layers and plot (but the ring and read-out) as a refresh shows
// them; with `levelsMayDiffer` only the drawing, against a redraw from the step's levels.
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

// A random layout (length, loop, mode, direction, synchro, current channel, read-out) and curves.
void randomLayout(EditorFixture& f, RandomGenerator& rng) {
    const int lengths[] = {2, 3, 17, 64, 200, 511, 512, 1000, 1600};
    f.doc.length = lengths[rng.next() % std::size(lengths)];
    f.doc.loop = rng.next() % 2;
    f.doc.mode = static_cast<ColorMode>(rng.next() % 3);
    f.doc.direction = rng.next() % 4;
    f.doc.synchro = rng.next() % 3 != 0;
    for (auto& flag : f.doc.synchroChannels) {
        flag = rng.next() % 2;
    }
    f.doc.currentChannel = rng.next() % 3;
    f.showPointPositions = rng.next() % 2;
    randomCurves(f.doc, rng);
}

// Point 0 of a loop moved: the local re-evaluation puts the segment left of the seam a period
// left, where truncating a negative half-integer ends it a dot later than a whole evaluation.
bool seamRoundingDiffers(const GradationDocument& doc, ChannelIndex ch, int k) {
    const ChannelCurve& c = doc.channels[ch];
    const int n = c.pointCount;
    const auto sum = static_cast<std::int64_t>(std::floor(c.controlPoints[n - 1].x - doc.length)) +
                     static_cast<std::int64_t>(std::trunc(c.controlPoints[0].x));
    return doc.loop && k == 0 && n >= 3 && sum < 0 && sum % 2 != 0;
}

// Drags of small, wild and seam-crossing steps, or key moves: each leaves what a refresh shows,
// the anchor where it was taken within its limits; only synchro channels follow.
TEST(DragStep, DragsAndKeyMovesLeaveWhatAFullRefreshShows) {
    RandomGenerator rng;
    rng.seed(20240611);
    auto ref = std::make_unique<GraphBuffers>();
    int partialSteps = 0, fullSteps = 0, seamSteps = 0, synchroSteps = 0, clampedSteps = 0;
    int keyMoves = 0, unmovedKeys = 0;
    for (int round = 0; round < 72; ++round) {
        EditorFixture f;
        randomLayout(f, rng);
        const ChannelIndex cur = f.doc.currentChannel;
        f.refresh();
        const ChannelCurve& curve = f.doc.channels[cur];
        const GradationDocument before = f.doc;
        const int i = rng.next() % curve.pointCount;
        const CurvePoint& a = curve.anchorPoints[i];
        auto ctx = f.context();
        const bool keys = round % 3 == 0;
        int px = static_cast<int>(a.x);
        int py = static_cast<int>(a.y);
        ASSERT_TRUE(keys ? SelectPoint(ctx, i) : StartDrag(ctx, px, py));
        ASSERT_EQ(f.edit.hoveredPoint, i);
        const bool fixedX = !f.doc.loop && (i == 0 || i == curve.pointCount - 1);
        const double x0 = a.x;
        bool diverged = false;
        for (int step = 0; step < 6; ++step) {
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);
            const int kind = rng.next() % 8;
            DragPath path = DragPath::None;
            if (keys) {
                const DotLevel from = ShownPosition(f.doc, cur, i);
                DotLevel to = KeyMoveTarget(from, static_cast<KeyDirection>(rng.next() % 4),
                                            static_cast<KeyStride>(rng.next() % 3));
                if (kind == 0) { // far out, to reach the limits
                    to = {to.dot + static_cast<int>(rng.next() % 4001) - 2000,
                          to.level + static_cast<int>(rng.next() % 801) - 400};
                }
                const DotLevel want{fixedX ? from.dot : std::clamp(to.dot, 0, f.doc.length - 1),
                                    std::clamp(to.level, -31, 288)};
                clampedSteps += want != to;
                path = KeyMove(ctx, to);
                ASSERT_EQ(path == DragPath::None, want == from); // and then nothing changes
                ASSERT_EQ(ShownPosition(f.doc, cur, i), want);
                ASSERT_TRUE(f.edit.hoveredPoint == i && !f.edit.dragging);
                ++(want == from ? unmovedKeys : keyMoves);
            } else {
                if (kind == 0) {
                    px += static_cast<int>(rng.next() % 4001) - 2000;
                    py += static_cast<int>(rng.next() % 801) - 400;
                } else if (kind == 1 && f.doc.loop) {
                    px =
                        rng.next() % 2 ? f.doc.length + 44 + rng.next() % 12 : 56 + rng.next() % 12;
                    ++seamSteps;
                } else {
                    px += rng.next() % 41 - 20;
                    py += rng.next() % 41 - 20;
                }
                path = DragStep(ctx, px, py);
                const int wantX = std::clamp(px + f.edit.grabOffsetX, 56, f.doc.length + 55);
                const int wantY = std::clamp(py + f.edit.grabOffsetY, 32, 351);
                ASSERT_NEAR(a.x, fixedX ? x0 : wantX, 1e-6);
                ASSERT_NEAR(a.y, wantY, 1e-6);
                clampedSteps +=
                    wantX != px + f.edit.grabOffsetX || wantY != py + f.edit.grabOffsetY;
            }
            partialSteps += path == DragPath::Partial;
            fullSteps += path == DragPath::Full;
            diverged |= path == DragPath::Partial && seamRoundingDiffers(f.doc, cur, i);
            expectSameAsRefresh(f, *ref, diverged);
            for (ChannelIndex t = 0; t < 3; ++t) {
                const bool follows = t != cur && f.doc.synchro && f.doc.synchroChannels[cur] &&
                                     f.doc.synchroChannels[t];
                const ChannelCurve& want = follows ? curve : before.channels[t];
                ASSERT_TRUE(t == cur || f.doc.channels[t].controlPoints == want.controlPoints) << t;
                synchroSteps += follows;
            }
        }
    }
    EXPECT_GT(partialSteps, 80);
    EXPECT_GT(fullSteps, 10);
    EXPECT_GT(seamSteps, 5);
    EXPECT_GT(synchroSteps, 20);
    EXPECT_GT(clampedSteps, 20);
    EXPECT_GT(keyMoves, 60);
    EXPECT_GT(unmovedKeys, 3);
}

using test::scriptedPointer;

// The done notice follows the idle event: wait for it (bounded) before counting.
int jobsDone(const test::RecordingHost& host, int expected) {
    for (int i = 0; i < 20000 && host.jobsDone.load() < expected; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return host.jobsDone.load();
}

// A worker on four points, pressed on anchor 1; `a` stays bound to that anchor.
struct Dragging : EditorFixture {
    Dragging()
        : EditorFixture(
              test::openDocumentFromAnchors(512, {{56, 200}, {200, 150}, {400, 120}, {567, 250}})) {
        refresh();
    }
    EditorContext ctx = context();
    const CurvePoint& a = doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
};

// Control points must run strictly left to right, and a loop's last one stay short of the
// first one a length further on: two on one x are out of order, as are fewer than three.
TEST(DragStep, ControlOrderIsStrict) {
    struct Row {
        std::vector<double> xs;
        bool loop;
        bool disorder;
    };
    const Row rows[] = {
        {{56, 300, 301, 567}, false, false}, {{56, 300, 300, 567}, false, true},
        {{56, 300, 299, 567}, false, true},  {{56, 567}, false, true},
        {{100, 300, 611}, true, false},      {{100, 300, 612}, true, true},
    };
    for (const Row& row : rows) {
        ChannelCurve curve;
        curve.pointCount = static_cast<int>(row.xs.size());
        for (std::size_t i = 0; i < row.xs.size(); ++i) {
            curve.controlPoints[i] = {row.xs[i], 200.0};
        }
        EditState edit;
        CheckControlOrder(edit, curve, row.loop, 512);
        EXPECT_EQ(edit.disorder, row.disorder) << row.xs[1] << " " << row.xs[2];
    }
}

// An anchor is hit within 24 pixels, measured with each axis's distance truncated toward zero;
// the nearest wins, the lower index among equally near ones.
TEST(HitTest, TwentyFourPixelsAtMostNearestFirst) {
    auto doc = std::make_unique<GradationDocument>();
    doc->channels[1].pointCount = 3;
    doc->channels[1].anchorPoints[0] = {300.0, 200.0};
    doc->channels[1].anchorPoints[1] = {340.0, 200.0};
    doc->channels[1].anchorPoints[2] = {600.9, 200.0};
    struct Row {
        int x, y, hit;
    };
    const Row rows[] = {
        {300, 176, 0},  {300, 175, -1}, {300, 224, 0},  {300, 225, -1}, // straight up and down
        {276, 200, 0},  {275, 200, -1}, {276, 201, -1}, {316, 217, 0},  // 17²+16² = 545
        {317, 217, -1},                                                 // 17²+17² = 578
        {320, 200, 0},  {321, 200, 1},  {364, 200, 1},  {365, 200, -1}, // the tie, then nearest
        {625, 200, 2},  {626, 200, -1}, {576, 200, 2},  {575, 200, -1}, // 600.9: 24.1 and 24.9
    };
    for (const Row& r : rows) {
        EXPECT_EQ(HitTestAnchor(*doc, r.x, r.y, 1), r.hit) << r.x << "," << r.y;
    }
    EXPECT_EQ(HitTestAnchor(*doc, 300, 200, 0), -1); // another channel's points are not hit
}

// A job steps while the pointer moves with the button held: it ends when the pointer rests or
// at the first poll with the button up; a job's first position is signed (packed in 16 bits).
TEST(DragWorker, JobFollowsThePointerUntilItRestsOrTheButtonIsUp) {
    Dragging f;
    DragWorker worker(f.ctx, {});
    ASSERT_EQ(LeftButtonDown(f.ctx, worker, f.x, f.y), LeftPress::DragStarted);
    f.host.poll = scriptedPointer({{f.x + 2, f.y - 10, true}, {f.x + 4, f.y - 20, true}});
    MouseMove(f.ctx, worker, f.x + 1, f.y - 5, true);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 1 + 3); // the hover at the press, then three steps
    EXPECT_EQ(jobsDone(f.host, 1), 1);
    EXPECT_DOUBLE_EQ(f.a.y, f.y - 20 + f.edit.grabOffsetY);
    f.host.poll = scriptedPointer({{f.x + 6, f.y - 30, true}, {f.x + 50, f.y - 80, false}});
    MouseMove(f.ctx, worker, f.x + 5, f.y - 25, true);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 4 + 2);
    EXPECT_EQ(jobsDone(f.host, 2), 2);
    EXPECT_DOUBLE_EQ(f.a.y, f.y - 30 + f.edit.grabOffsetY);
    LeftButtonUp(f.edit);
    EXPECT_FALSE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    ASSERT_EQ(LeftButtonDown(f.ctx, worker, static_cast<int>(f.a.x), static_cast<int>(f.a.y)),
              LeftPress::DragStarted);
    f.host.poll = scriptedPointer({{-300, -200, false}});
    worker.postDrag(-300, -200);
    worker.waitUntilIdle();
    EXPECT_NEAR(f.a.x, 56.0, 1e-6); // the left and top limits, not wrapped round
    EXPECT_DOUBLE_EQ(f.a.y, 32.0);
}

// Right presses switch channels through the worker; while a job runs, presses and moves are
// dropped. (A press on an anchor, left to the popup: the program's tests.)
TEST(DragWorker, RightClicksSwitchChannelsAndInputIsDroppedWhileBusy) {
    Dragging f;
    DragWorker worker(f.ctx, {});
    for (const ChannelIndex expected : {1, 2, 0}) {
        ASSERT_EQ(RightButtonDown(f.ctx, worker, 0, 0), RightPress::SwitchPosted);
        worker.waitUntilIdle();
        EXPECT_EQ(f.doc.currentChannel, expected);
    }
    EXPECT_EQ(jobsDone(f.host, 3), 3);
    std::promise<void> polled;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    ASSERT_EQ(LeftButtonDown(f.ctx, worker, f.x, f.y), LeftPress::DragStarted);
    f.host.poll = [&] {
        if (std::exchange(first, false)) {
            polled.set_value();
            released.wait();
        }
        return PointerSample{f.x + 3, f.y + 3, false};
    };
    MouseMove(f.ctx, worker, f.x + 3, f.y + 3, true);
    polled.get_future().wait();
    EXPECT_TRUE(worker.busy());
    EXPECT_EQ(RightButtonDown(f.ctx, worker, 0, 0), RightPress::Swallowed);
    EXPECT_EQ(LeftButtonDown(f.ctx, worker, 100, 100), LeftPress::Ignored);
    MouseMove(f.ctx, worker, 10, 10, true); // no second job
    release.set_value();
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0);
    EXPECT_EQ(jobsDone(f.host, 4), 4);
    // After stop() a job is not taken, and the worker does not turn busy for it.
    worker.stop();
    worker.post(kJobSwitchChannel);
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(f.doc.currentChannel, 0);
}

// stop() while a drag job runs and the pointer keeps moving: the job ends after the step under
// way, which is complete, and the thread is joined. Meant for ThreadSanitizer too.
TEST(DragWorker, StopDuringARunningDragJobJoinsCleanly) {
    Dragging f;
    DragWorker worker(f.ctx, {});
    ASSERT_EQ(LeftButtonDown(f.ctx, worker, f.x, f.y), LeftPress::DragStarted);
    std::atomic<int> polls{0};
    std::atomic<bool> letGo{false}; // ends the job should stop() fail to
    const auto sampleAt = [&](int n) { return PointerSample{f.x + n % 40, f.y - n % 30, true}; };
    f.host.poll = [&] { return letGo ? PointerSample{} : sampleAt(++polls); }; // never rests
    MouseMove(f.ctx, worker, f.x, f.y - 1, true);
    while (polls.load() < 20) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(worker.busy());
    auto stopped = std::async(std::launch::async, [&] { worker.stop(); });
    if (stopped.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "stop() did not end the running drag job";
        letGo = true;
    }
    stopped.wait();
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(f.host.jobsDone, 1);
    const int last = polls.load(); // the job stopped at this poll, before stepping to it
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(polls.load(), last);
    EXPECT_DOUBLE_EQ(f.a.x, sampleAt(last - 1).x + f.edit.grabOffsetX);
    EXPECT_DOUBLE_EQ(f.a.y, sampleAt(last - 1).y + f.edit.grabOffsetY);
}

using test::controlsOf;
using Curve = std::vector<CurvePoint>;

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

// A typed position is shown as typed, cut to the limits, even when stored a hair below a whole
// number; hovering draws the ring and the read-out centred on the plot, leaving puts it back.
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

// Arrow keys by hand: one, ten, or on to the next multiple of 16 in the key's direction (a
// point on a grid line goes to the next one), negative levels included; Tab wraps round.
TEST(KeyMoves, ArrowsAndTabGoWhereTheKeysSay) {
    using enum KeyDirection;
    using enum KeyStride;
    const std::tuple<DotLevel, KeyDirection, KeyStride, DotLevel> rows[] = {
        {{37, 100}, Right, One, {38, 100}},  {{37, 100}, Left, Ten, {27, 100}},
        {{37, 100}, Right, Grid, {48, 100}}, {{37, 100}, Left, Grid, {32, 100}},
        {{32, 100}, Left, Grid, {16, 100}},  {{48, 100}, Right, Grid, {64, 100}},
        {{0, 0}, Down, One, {0, -1}},        {{0, 0}, Up, Ten, {0, 10}},
        {{0, 0}, Down, Grid, {0, -16}},      {{0, -5}, Up, Grid, {0, 0}},
        {{0, -5}, Down, Grid, {0, -16}},     {{0, -16}, Down, Grid, {0, -32}},
        {{0, 280}, Up, Grid, {0, 288}},      {{0, 255}, Up, Grid, {0, 256}},
    };
    for (const auto& [from, direction, stride, want] : rows) {
        EXPECT_EQ(KeyMoveTarget(from, direction, stride), want)
            << from.dot << "," << from.level << " key " << static_cast<int>(direction) << " stride "
            << static_cast<int>(stride);
    }
    const std::tuple<int, int, bool, int> tabs[] = {
        {-1, 4, true, 0}, {-1, 4, false, 3}, {3, 4, true, 0}, {0, 4, false, 3},
        {1, 4, true, 2},  {7, 4, true, 0},   {0, 1, true, 0}, {-1, 0, true, -1},
    };
    for (const auto& [current, count, forward, want] : tabs) {
        EXPECT_EQ(NextPointIndex(current, count, forward), want) << current << "/" << count;
    }
}

} // namespace
} // namespace spectrane
