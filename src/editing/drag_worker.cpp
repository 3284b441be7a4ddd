#include "editing/drag_worker.h"

#include "editing/drag_step.h"
#include "views/graph_painter.h"

#include <algorithm>

namespace spectrane {

void IdleEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void IdleEvent::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool IdleEvent::isSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

void IdleEvent::wait() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
}

void PublishedPointer::publish(int x, int y, bool leftDown) {
    // y keeps 31 bits, far more than any content position needs.
    y = std::clamp(y, -(1 << 29), 1 << 29);
    const std::uint64_t v =
        static_cast<std::uint32_t>(x) |
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y) & 0x7fffffffu) << 32) |
        (leftDown ? (std::uint64_t{1} << 63) : 0);
    packed_.store(v, std::memory_order_release);
}

PointerSample PublishedPointer::sample() const {
    const std::uint64_t v = packed_.load(std::memory_order_acquire);
    PointerSample s;
    s.x = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    // y keeps 31 bits: sign-extend them.
    const std::uint32_t y31 = static_cast<std::uint32_t>(v >> 32) & 0x7fffffffu;
    s.y = static_cast<std::int32_t>(y31 << 1) >> 1;
    s.leftDown = (v >> 63) != 0;
    return s;
}

DragWorker::DragWorker(EditorContext ctx, StartUp startUp) : ctx_(ctx) {
    // Without start-up requests the worker is ready at once, so no input is ever dropped for it.
    ready_.store(!startUp.showBitmapWindow && !startUp.runTitleWindow, std::memory_order_release);
    thread_ = std::thread([this, startUp] { run(startUp); });
}

DragWorker::~DragWorker() {
    stop();
}

void DragWorker::post(int message, std::uint32_t param) {
    {
        // A stopped worker takes no more jobs; the idle event stays as it is.
        std::lock_guard lock(queueMutex_);
        if (stopping_) {
            return;
        }
        idle_.reset();
        queue_.push_back({message, param});
    }
    queueChanged_.notify_one();
}

void DragWorker::stop() {
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queueChanged_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void DragWorker::run(StartUp startUp) {
    if (startUp.showBitmapWindow) {
        ctx_.host.showBitmapWindow();
    }
    if (startUp.runTitleWindow) {
        ctx_.host.runTitleWindow();
    }
    ready_.store(true, std::memory_order_release);
    for (;;) {
        Job job;
        {
            std::unique_lock lock(queueMutex_);
            queueChanged_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            job = queue_.front();
            queue_.pop_front();
        }
        switch (job.message) {
        case kJobDrag:
            runDragJob(job.param);
            break;
        case kJobSwitchChannel:
            runSwitchJob();
            break;
        default:
            finishJob(); // taken off the queue and ignored; the worker is idle again
            break;
        }
    }
}

void DragWorker::finishJob() {
    idle_.set();
    ctx_.host.workerDone();
}

void DragWorker::runDragJob(std::uint32_t param) {
    PointerSample pos = UnpackJobPosition(param);
    // The first step goes to the job's own position, where the pointer was with the button
    // held; every later one only after a poll that found the button still down.
    for (bool down = true; down;) {
        {
            std::unique_lock<std::mutex> lock;
            if (ctx_.bufferMutex != nullptr) {
                lock = std::unique_lock(*ctx_.bufferMutex);
            }
            DragStep(ctx_, pos.x, pos.y);
        }
        ctx_.host.invalidateMainWindow();
        ctx_.host.yieldAfterInvalidate();
        if (ctx_.host.invalidateBitmapWindow()) {
            ctx_.host.yieldAfterInvalidate();
        }
        const PointerSample previous = pos;
        pos = ctx_.host.pollPointer();
        down = pos.leftDown && (pos.x != previous.x || pos.y != previous.y);
        std::lock_guard lock(queueMutex_);
        down = down && !stopping_;
    }
    finishJob();
}

void DragWorker::runSwitchJob() {
    if (ctx_.edit.hoveredPoint == -1) {
        {
            std::unique_lock<std::mutex> lock;
            if (ctx_.bufferMutex != nullptr) {
                lock = std::unique_lock(*ctx_.bufferMutex);
            }
            SwitchToNextChannel(ctx_.buffers, ctx_.doc, ctx_.colors);
        }
        ctx_.host.invalidateMainWindow();
        ctx_.host.yieldAfterInvalidate();
    }
    finishJob();
}

} // namespace spectrane
