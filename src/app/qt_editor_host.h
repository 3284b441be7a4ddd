// The editor's way back to the Qt user interface: invalidations are queued to the UI thread,
// the worker's start-up requests are queued and waited for, the pointer is what the canvas
// published last.
#pragma once

#include "editing/drag_worker.h"
#include "editing/editor_context.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace spectrane {

class MainWindow;

class QtEditorHost : public EditorHost {
public:
    explicit QtEditorHost(MainWindow* window) : window_(window) {}

    void invalidateMainWindow() override;
    bool invalidateBitmapWindow() override;
    void yieldAfterInvalidate() override;
    void messageBox(std::string_view text) override;
    void showBitmapWindow() override;
    void runTitleWindow() override;
    PointerSample pollPointer() override { return pointer_.sample(); }
    void workerDone() override;

    // UI thread, on every mouse event over the canvas (also those it drops).
    void publishPointer(int x, int y, bool leftDown) { pointer_.publish(x, y, leftDown); }
    // UI thread: whether the gradation window exists, for the worker's invalidations.
    void setBitmapWindowOpen(bool open) { bitmapOpen_.store(open); }
    // UI thread, at shut-down before the worker is joined: releases a worker waiting for a
    // request that will now never run, and turns later requests into no-ops.
    void cancelRequests();

private:
    // Runs `fn` on the UI thread and waits until it ran or the requests were cancelled.
    void runOnUiAndWait(std::function<void()> fn);

    MainWindow* window_;
    PublishedPointer pointer_;
    std::atomic<bool> bitmapOpen_{false};
    std::mutex mutex_;
    std::condition_variable finished_;
    bool cancelled_ = false;
};

} // namespace spectrane
