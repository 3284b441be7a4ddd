#include "editing/drag_worker.h"

#include "editing/editor_input.h"
#include "editing/hit_test.h"
#include "editing_fixture.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>

namespace spectrane {
namespace {

using test::EditorFixture;

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

TEST(DragWorker, JobPositionIsSignedSixteenBit) {
    EXPECT_EQ(PackJobPosition(300, 200), 300u | (200u << 16));
    const PointerSample p = UnpackJobPosition(PackJobPosition(-5, -7));
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.y, -7);
    PublishedPointer pointer;
    pointer.publish(-40, 70000, true);
    EXPECT_EQ(pointer.sample().x, -40);
    EXPECT_EQ(pointer.sample().y, 70000);
    EXPECT_TRUE(pointer.sample().leftDown);
    pointer.publish(12, -3, false);
    EXPECT_EQ(pointer.sample().y, -3);
    EXPECT_FALSE(pointer.sample().leftDown);
}

TEST(DragWorker, JobEndsWhenThePointerRestsOrTheButtonIsReleased) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
    ASSERT_EQ(LeftButtonDown(ctx, worker, x, y), LeftPress::DragStarted);

    // Two moves, then the pointer rests: three steps, and the job ends.
    {
        std::lock_guard lock(f.host.pointerMutex);
        f.host.script = {{x + 2, y - 10, true}, {x + 4, y - 20, true}, {x + 4, y - 20, true}};
    }
    MouseMove(ctx, worker, x + 1, y - 5, true);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 1 + 3); // the hover at the press, then one per step
    EXPECT_EQ(jobsDone(f.host, 1), 1);
    EXPECT_DOUBLE_EQ(f.doc.channels[0].anchorPoints[1].y, y - 20 + f.edit.grabOffsetY);

    // The button goes up while the pointer still moves: no step after that poll.
    {
        std::lock_guard lock(f.host.pointerMutex);
        f.host.script = {{x + 6, y - 30, true}, {x + 50, y - 80, false}};
    }
    MouseMove(ctx, worker, x + 5, y - 25, true);
    worker.waitUntilIdle();
    EXPECT_EQ(f.host.mainInvalidations, 4 + 2);
    EXPECT_EQ(jobsDone(f.host, 2), 2);
    EXPECT_DOUBLE_EQ(f.doc.channels[0].anchorPoints[1].y, y - 30 + f.edit.grabOffsetY);
    LeftButtonUp(f.edit);
    EXPECT_FALSE(f.edit.dragging);
    EXPECT_EQ(f.edit.hoveredPoint, 1);
}

TEST(DragWorker, NegativeFirstPositionGoesToTheLeftAndTopLimits) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    const CurvePoint a = f.doc.channels[0].anchorPoints[2];
    ASSERT_EQ(LeftButtonDown(ctx, worker, static_cast<int>(a.x), static_cast<int>(a.y)),
              LeftPress::DragStarted);
    {
        std::lock_guard lock(f.host.pointerMutex);
        f.host.last = {-300, -200, false};
    }
    worker.postDrag(-300, -200);
    worker.waitUntilIdle();
    EXPECT_DOUBLE_EQ(f.doc.channels[0].anchorPoints[2].y, 32.0);
    // Pulled to the left limit of the anchor's range, not wrapped to the right.
    EXPECT_NEAR(f.doc.channels[0].anchorPoints[2].x, 56.0, 1e-6);
}

TEST(DragWorker, RightClicksSwitchChannelsAndAreIgnoredWhileBusy) {
    EditorFixture f(fourPoints());
    f.refresh();
    auto ctx = f.context();
    DragWorker worker(ctx, {});
    for (ChannelIndex expected : {1, 2, 0}) {
        ASSERT_EQ(RightButtonDown(ctx, worker, 0, 0), RightPress::SwitchPosted);
        worker.waitUntilIdle();
        EXPECT_EQ(f.doc.currentChannel, expected);
    }
    EXPECT_EQ(jobsDone(f.host, 3), 3);

    // A drag job held running by the pointer: presses are dropped meanwhile.
    std::promise<void> polled;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    const CurvePoint a = f.doc.channels[0].anchorPoints[1];
    const int x = static_cast<int>(a.x);
    const int y = static_cast<int>(a.y);
    ASSERT_EQ(LeftButtonDown(ctx, worker, x, y), LeftPress::DragStarted);
    f.host.poll = [&] {
        if (first) {
            first = false;
            polled.set_value();
            released.wait();
        }
        return PointerSample{x + 3, y + 3, false};
    };
    MouseMove(ctx, worker, x + 3, y + 3, true);
    polled.get_future().wait();
    EXPECT_TRUE(worker.busy());
    EXPECT_EQ(RightButtonDown(ctx, worker, 0, 0), RightPress::Swallowed);
    EXPECT_EQ(LeftButtonDown(ctx, worker, 100, 100), LeftPress::Ignored);
    MouseMove(ctx, worker, 10, 10, true); // dropped: no second job
    release.set_value();
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0);
    EXPECT_EQ(jobsDone(f.host, 4), 4);
    // An anchor highlighted: the right press is left to the popup.
    EXPECT_EQ(RightButtonDown(ctx, worker, x + 3, y + 3), RightPress::Passed);
    // Other messages are taken off the queue and ignored, but never leave the worker busy.
    worker.post(4242);
    EXPECT_TRUE(worker.busy());
    worker.post(kJobSwitchChannel);
    worker.waitUntilIdle();
    EXPECT_EQ(f.doc.currentChannel, 0); // an anchor is highlighted: no switch
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
    // Until the title window is closed the worker takes no job.
    while (titleAt.load() < 0) {
        std::this_thread::yield();
    }
    EXPECT_EQ(shownAt, 0);
    EXPECT_EQ(titleAt, 1);
    EXPECT_FALSE(worker->ready());
    EXPECT_TRUE(worker->busy());
    EXPECT_EQ(RightButtonDown(ctx, *worker, 0, 0), RightPress::Swallowed);
    titleClosed.set_value();
    while (!worker->ready()) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(worker->busy());
    worker->stop();
    worker->stop();
    worker.reset();
    EXPECT_EQ(jobsDone(f.host, 0), 0);
}

} // namespace
} // namespace spectrane
