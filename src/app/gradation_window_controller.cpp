#include "app/gradation_window_controller.h"

#include "app/app_state.h"
#include "app/bitmap_window.h"
#include "qtsupport/window_frame.h"
#include "views/bitmap_window_picture.h"

#include <QScrollBar>

namespace spectrane {

GradationWindowController::GradationWindowController(QWidget* mainWindow, AppState& state,
                                                     Hooks hooks)
    : main_(mainWindow), state_(state), hooks_(std::move(hooks)) {}

GradationWindowController::~GradationWindowController() {
    destroy();
}

bool GradationWindowController::isTopmostOpen() const {
    return window_ != nullptr && state_.settings.bitmapWindowTopmost;
}

void GradationWindowController::create() {
    if (window_ != nullptr) {
        return;
    }
    window_ = new BitmapWindow(*this);
    state_.settings.bitmapWindowOpen = true;
    hooks_.openChanged(true);
}

void GradationWindowController::OpenBitmapWindow() {
    if (window_ != nullptr) {
        return;
    }
    create();
    LayoutBitmapWindow();
    redraw();
    showInPlace();
}

void GradationWindowController::CloseBitmapWindow() {
    if (window_ != nullptr) {
        window_->close();
    }
}

void GradationWindowController::closed() {
    if (window_ != nullptr) {
        window_->deleteLater();
        window_ = nullptr;
    }
    state_.settings.bitmapWindowOpen = false;
    hooks_.openChanged(false);
}

void GradationWindowController::destroy() {
    delete window_;
    window_ = nullptr;
}

void GradationWindowController::LayoutBitmapWindow() {
    const QSize work = hooks_.workArea();
    WindowFrame f;
    if (window_ != nullptr) {
        // Before the window manager has framed this window, the main window's frame stands in
        // for its own, so that the first placement is cut to the work area with a frame too.
        const QMargins m = windowFrameOf(window_, main_);
        f.extraWidth = m.left() + m.right();
        f.extraHeight = m.top() + m.bottom();
        f.scrollBarHeight = window_->horizontalBar()->sizeHint().height();
        f.scrollBarWidth = window_->verticalBar()->sizeHint().width();
    }
    const QRect main = main_->geometry().marginsAdded(windowFrameOf(main_));
    const GradationDocument& doc = state_.doc;
    state_.bitmapLayout =
        layoutBitmapWindow(doc.direction, doc.length, doc.thickness, work.width(), work.height(),
                           {main.x(), main.y(), main.width(), main.height()}, f);
    if (window_ != nullptr) {
        window_->applyLayout();
    }
}

void GradationWindowController::redraw() {
    DrawBitmapFrame(state_.buffers, state_.bitmapLayout, state_.doc.direction);
    RenderIntoBitmapWindow(state_.buffers, state_.bitmapLayout, state_.doc);
}

void GradationWindowController::showInPlace() {
    if (window_ == nullptr) {
        return;
    }
    // A window shown again comes up on top here: put the main window back in front of it.
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    const bool first = !window_->testAttribute(Qt::WA_WState_ExplicitShowHide);
    window_->show();
    if (first) {
        // Placed with a borrowed frame; once its own is known it is placed again.
        whenFramed(window_, [this] { LayoutBitmapWindow(); });
    }
    if (!state_.settings.bitmapWindowTopmost) {
        main_->raise();
    }
}

void GradationWindowController::hide() {
    if (window_ != nullptr) {
        window_->hide();
    }
}

void GradationWindowController::setEnabled(bool enabled) {
    if (window_ != nullptr) {
        window_->setEnabled(enabled);
    }
}

void GradationWindowController::setTopmost(bool topmost) {
    if (window_ != nullptr) {
        window_->setTopmost(topmost);
    }
}

void GradationWindowController::invalidate() {
    if (window_ != nullptr) {
        window_->picture()->update();
    }
}

} // namespace spectrane
