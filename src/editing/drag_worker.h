// The drag worker: a second thread that runs drag steps and channel switches posted by the UI
// thread, following the pointer by itself during a drag, with the idle event as the token that
// says which thread owns the document, the editing state and the drawing buffers.
#pragma once

#include "editing/editor_context.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace spectrane {

// Manual-reset event, created signalled. Signalled = the worker is idle and the UI thread owns
// the shared state.
class IdleEvent {
public:
    void set();
    void reset();
    bool isSet() const;
    // Blocks until signalled.
    void wait() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool signalled_ = true;
};

// The pointer as the UI thread last saw it, published on every mouse event (also on those it
// drops) and read by the worker after each step. Position and button are read together.
class PublishedPointer {
public:
    void publish(int x, int y, bool leftDown);
    PointerSample sample() const;

private:
    std::atomic<std::uint64_t> packed_{0};
};

inline constexpr int kJobSwitchChannel = 1250;
inline constexpr int kJobDrag = 1260;

// A drag job's position: content x in the low 16 bits, content y in the high 16 bits.
constexpr std::uint32_t PackJobPosition(int x, int y) {
    return (static_cast<std::uint32_t>(x) & 0xffffu) |
           ((static_cast<std::uint32_t>(y) & 0xffffu) << 16);
}
// Each half read back as a signed 16-bit value.
constexpr PointerSample UnpackJobPosition(std::uint32_t param) {
    return {static_cast<std::int16_t>(param & 0xffffu),
            static_cast<std::int16_t>((param >> 16) & 0xffffu), false};
}

class DragWorker {
public:
    // What the worker asks the UI thread for before it serves jobs.
    struct StartUp {
        bool showBitmapWindow = false;
        bool runTitleWindow = false;
    };

    // Starts the thread. `ctx` and everything it references must outlive the worker.
    DragWorker(EditorContext ctx, StartUp startUp);
    // Stops and joins the thread.
    ~DragWorker();
    DragWorker(const DragWorker&) = delete;
    DragWorker& operator=(const DragWorker&) = delete;

    // True once the start-up requests are done; before that the UI thread posts no job (it
    // could otherwise wait for a worker that is waiting for it).
    bool ready() const { return ready_.load(std::memory_order_acquire); }
    // What the mouse handlers poll: no job may be posted now.
    bool busy() const { return !ready() || !idle_.isSet(); }

    // UI thread, with the worker idle: resets the idle event and queues the job. After stop()
    // it does nothing.
    void post(int message, std::uint32_t param = 0);
    void postDrag(int x, int y) { post(kJobDrag, PackJobPosition(x, y)); }
    void postSwitchChannel() { post(kJobSwitchChannel); }

    // UI thread: blocks until the worker is idle. Never called while holding the buffer lock.
    void waitUntilIdle() const { idle_.wait(); }

    // Ends the thread after its current job and joins it; safe to call more than once.
    void stop();

private:
    struct Job {
        int message = 0;
        std::uint32_t param = 0;
    };

    void run(StartUp startUp);
    void runDragJob(std::uint32_t param);
    void runSwitchJob();
    void finishJob();

    EditorContext ctx_;
    IdleEvent idle_;
    std::atomic<bool> ready_{false};
    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    std::deque<Job> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace spectrane
