#include "app/qt_editor_host.h"

#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "qtsupport/shown_text.h"

#include <QPointer>

#include <chrono>
#include <memory>
#include <thread>

namespace spectrane {

void QtEditorHost::invalidateMainWindow() {
    QMetaObject::invokeMethod(
        window_, [w = window_] { w->invalidate(); }, Qt::QueuedConnection);
}

bool QtEditorHost::invalidateBitmapWindow() {
    QMetaObject::invokeMethod(
        window_, [w = window_] { w->gradationWindow().invalidate(); }, Qt::QueuedConnection);
    return bitmapOpen_.load();
}

void QtEditorHost::yieldAfterInvalidate() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void QtEditorHost::messageBox(std::string_view text) {
    window_->dialogs().requestMessageBox(shownText(text));
}

void QtEditorHost::showBitmapWindow() {
    runOnUiAndWait([w = window_] { w->showGradationWindowAtStart(); });
}

void QtEditorHost::runTitleWindow() {
    runOnUiAndWait([w = window_] { w->runTitleWindow(); });
}

void QtEditorHost::workerDone() {
    // The idle event already tells the UI thread; the notice lets it finish what waited for the
    // job's end (the undo step of a drag).
    QMetaObject::invokeMethod(
        window_, [w = window_] { w->workerJobEnded(); }, Qt::QueuedConnection);
}

void QtEditorHost::cancelRequests() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    finished_.notify_all();
}

void QtEditorHost::runOnUiAndWait(std::function<void()> fn) {
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) {
            return;
        }
    }
    QMetaObject::invokeMethod(
        window_,
        [this, fn = std::move(fn), done] {
            {
                std::lock_guard lock(mutex_);
                if (cancelled_) {
                    return;
                }
            }
            fn();
            {
                std::lock_guard lock(mutex_);
                *done = true;
            }
            finished_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return *done || cancelled_; });
}

} // namespace spectrane
