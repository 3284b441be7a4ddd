#include "editing/drag_worker.h"

#include "editing/editor_input.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace spectrane {
namespace {

using test::EditorFixture;
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
    PublishedPointer pointer; // what the UI thread publishes for the polls, beyond 16 bits too
    pointer.publish(-40, 70000, true);
    const PointerSample got = pointer.sample();
    EXPECT_EQ((std::tuple{got.x, got.y, got.leftDown}), (std::tuple{-40, 70000, true}));
}

// Right presses switch channels through the worker; while a job runs, presses and moves are
// dropped; with an anchor highlighted the press is left to the popup.
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
    // The press is hit-tested again where it is: on the anchor it is left to the popup, on
    // empty plot it switches the channel however stale the highlight.
    const int ax = static_cast<int>(f.a.x);
    const int ay = static_cast<int>(f.a.y);
    EXPECT_EQ(RightButtonDown(f.ctx, worker, ax, ay), RightPress::Passed);
    worker.post(kJobSwitchChannel); // an anchor is highlighted: no switch
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0);
    EXPECT_EQ(RightButtonDown(f.ctx, worker, 0, 0), RightPress::SwitchPosted);
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 1);
    // An unknown job is taken off the queue and ignored, and leaves the worker idle again.
    worker.post(4242);
    worker.waitUntilIdle();
    EXPECT_EQ(jobsDone(f.host, 7), 7);
    // After stop() a job is not taken, and the worker does not turn busy for it.
    worker.stop();
    worker.post(kJobSwitchChannel);
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(f.doc.currentChannel, 1);
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

} // namespace
} // namespace spectrane
