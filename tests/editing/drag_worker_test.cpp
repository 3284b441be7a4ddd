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

std::unique_ptr<GradationDocument> fourPoints() {
    return test::openDocumentFromAnchors(512, {{56, 200}, {200, 150}, {400, 120}, {567, 250}});
}

TEST(DragWorker, PositionsTravelAsSignedSixteenBitAndPublishedSamples) {
    EXPECT_EQ(PackJobPosition(300, 200), 300u | (200u << 16));
    const PointerSample p = UnpackJobPosition(PackJobPosition(-5, -7));
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.y, -7);
    PublishedPointer pointer;
    for (const PointerSample s : {PointerSample{-40, 70000, true}, {12, -3, false}}) {
        pointer.publish(s.x, s.y, s.leftDown);
        EXPECT_EQ(pointer.sample().x, s.x);
        EXPECT_EQ(pointer.sample().y, s.y);
        EXPECT_EQ(pointer.sample().leftDown, s.leftDown);
    }
}

TEST(DragWorker, JobFollowsThePointerUntilItRestsOrTheButtonIsUp) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    const CurvePoint& a = f.doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
    ASSERT_EQ(LeftButtonDown(ctx, worker, x, y), LeftPress::DragStarted);
    // Two moves, then the pointer rests: three steps, one repaint each, and the job ends.
    f.host.poll = scriptedPointer({{x + 2, y - 10, true}, {x + 4, y - 20, true}});
    MouseMove(ctx, worker, x + 1, y - 5);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 1 + 3); // the hover at the press, then the steps
    EXPECT_EQ(jobsDone(f.host, 1), 1);
    EXPECT_DOUBLE_EQ(a.y, y - 20 + f.edit.grabOffsetY);
    // The button goes up while the pointer still moves: no step after that poll.
    f.host.poll = scriptedPointer({{x + 6, y - 30, true}, {x + 50, y - 80, false}});
    MouseMove(ctx, worker, x + 5, y - 25);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 4 + 2);
    EXPECT_EQ(jobsDone(f.host, 2), 2);
    EXPECT_DOUBLE_EQ(a.y, y - 30 + f.edit.grabOffsetY);
    LeftButtonUp(f.edit);
    EXPECT_FALSE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
    // A job's first position is signed: far up-left goes to the left and top limits.
    ASSERT_EQ(LeftButtonDown(ctx, worker, static_cast<int>(a.x), static_cast<int>(a.y)),
              LeftPress::DragStarted);
    f.host.poll = scriptedPointer({{-300, -200, false}});
    worker.postDrag(-300, -200);
    worker.waitUntilIdle();
    EXPECT_DOUBLE_EQ(a.y, 32.0);
    EXPECT_NEAR(a.x, 56.0, 1e-6);
}

TEST(DragWorker, RightClicksSwitchChannelsAndInputIsDroppedWhileBusy) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    for (const ChannelIndex expected : {1, 2, 0}) {
        ASSERT_EQ(RightButtonDown(f.edit, worker), RightPress::SwitchPosted);
        worker.waitUntilIdle();
        EXPECT_EQ(f.doc.currentChannel, expected);
    }
    EXPECT_EQ(jobsDone(f.host, 3), 3);

    // A drag job held running by the pointer: presses and moves are dropped meanwhile.
    std::promise<void> polled;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
    ASSERT_EQ(LeftButtonDown(ctx, worker, x, y), LeftPress::DragStarted);
    f.host.poll = [&] {
        if (std::exchange(first, false)) {
            polled.set_value();
            released.wait();
        }
        return PointerSample{x + 3, y + 3, false};
    };
    MouseMove(ctx, worker, x + 3, y + 3);
    polled.get_future().wait();
    EXPECT_TRUE(worker.busy());
    EXPECT_EQ(RightButtonDown(f.edit, worker), RightPress::Swallowed);
    EXPECT_EQ(LeftButtonDown(ctx, worker, 100, 100), LeftPress::Ignored);
    MouseMove(ctx, worker, 10, 10); // no second job
    release.set_value();
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0);
    EXPECT_EQ(jobsDone(f.host, 4), 4);
    // An anchor highlighted: the right press is left to the popup, and a switch does nothing.
    EXPECT_EQ(RightButtonDown(f.edit, worker), RightPress::Passed);
    worker.post(4242); // unknown jobs are taken off the queue and ignored
    EXPECT_TRUE(worker.busy());
    worker.post(kJobSwitchChannel);
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0);
}

TEST(DragWorker, StartUpRequestsComeFirstAndStopJoins) {
    EditorFixture f(fourPoints());
    f.refresh();
    std::promise<void> titleClosed;
    std::shared_future<void> closed = titleClosed.get_future().share();
    std::atomic<int> order{0};
    std::atomic<int> shownAt{-1};
    std::atomic<int> titleAt{-1};
    f.host.onShowBitmap = [&] { shownAt = order++; };
    f.host.onTitle = [&] {
        titleAt = order++;
        closed.wait();
    };
    auto ctx = f.context();
    auto worker = std::make_unique<DragWorker>(ctx, DragWorker::StartUp{true, true});
    while (titleAt.load() < 0) {
        std::this_thread::yield();
    }
    EXPECT_EQ(shownAt, 0);
    EXPECT_EQ(titleAt, 1);
    // Until the title window is closed the worker takes no job.
    EXPECT_FALSE(worker->ready());
    EXPECT_TRUE(worker->busy());
    EXPECT_EQ(RightButtonDown(f.edit, *worker), RightPress::Swallowed);
    titleClosed.set_value();
    while (!worker->ready()) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(worker->busy());
    worker->stop();
    worker->stop();
    worker.reset();
    EXPECT_EQ(f.host.jobsDone, 0);
}

// stop() while a drag job runs and the pointer keeps moving: the job ends after the step under
// way, which is complete, and the thread is joined. Meant for ThreadSanitizer as well.
TEST(DragWorker, StopDuringARunningDragJobJoinsCleanly) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    const CurvePoint& a = f.doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
    ASSERT_EQ(LeftButtonDown(ctx, worker, x, y), LeftPress::DragStarted);
    std::atomic<int> polls{0};
    const auto sampleAt = [&](int n) { return PointerSample{x + n % 40, y - n % 30, true}; };
    f.host.poll = [&] { return sampleAt(++polls); }; // never rests, never lets go
    MouseMove(ctx, worker, x, y - 1);
    while (polls.load() < 20) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(worker.busy());
    worker.stop();
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(f.host.jobsDone, 1);
    const int last = polls.load(); // the job stopped at this poll, before stepping to it
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(polls.load(), last);
    EXPECT_DOUBLE_EQ(a.x, sampleAt(last - 1).x + f.edit.grabOffsetX);
    EXPECT_DOUBLE_EQ(a.y, sampleAt(last - 1).y + f.edit.grabOffsetY);
    worker.stop();
}

} // namespace
} // namespace spectrane
