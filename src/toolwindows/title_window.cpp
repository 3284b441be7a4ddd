#include "toolwindows/title_window.h"

#include "qtsupport/fonts.h"
#include "qtsupport/window_frame.h"
#include "toolwindows/tool_controls.h"

#include <QCloseEvent>
#include <QEvent>

namespace spectrane {

TitleWindow::TitleWindow(QWidget* owner, QWidget* mainWindow)
    : ToolWindow(owner, ToolWindowKind::Title), main_(mainWindow != nullptr ? mainWindow : owner) {
    // No close item: the window goes only with its button (or Enter).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(420, 256);
    setFont(programFont(kCourierFace, 15));
    const QFont display = programFont(kCalistoFace, 40);
    QLabel* first = addStatic(this, 1014, "Spectrane", {59, 24, 349, 41});
    QLabel* second = addStatic(this, 1015, "", {127, 71, 233, 43});
    for (QLabel* name : {first, second}) {
        name->setFont(display);
        fitStatic(name);
    }
    addStatic(this, 1016, "Version " SPECTRANE_VERSION, {152, 124, 115, 19});
    ok_ = addPushButton(this, 1003, kToolOk, "OK", {169, 195, 88, 38});
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { closeWith(kToolClosed); });
    ok_->setFocus(Qt::OtherFocusReason);
}

void TitleWindow::reject() {}

void TitleWindow::showEvent(QShowEvent* event) {
    ToolWindow::showEvent(event);
    centreOnMainWindow();
    whenFramed(this, [this] { centreOnMainWindow(); });
}

void TitleWindow::changeEvent(QEvent* event) {
    ToolWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        ok_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TitleWindow::centreOnMainWindow() {
    if (main_ == nullptr) {
        return;
    }
    // The outer frame is centred: before the window manager has framed this window, the main
    // window's frame stands in for its own.
    const QRect m = main_->geometry().marginsAdded(windowFrameOf(main_));
    const QMargins frame = windowFrameOf(this, main_);
    const QSize outer = size().grownBy(frame);
    placeTopLevel(this,
                  QRect(QPoint(m.left() + (m.width() - outer.width()) / 2,
                               m.top() + (m.height() - outer.height()) / 2),
                        outer),
                  frame);
}

void TitleWindow::closeEvent(QCloseEvent* event) {
    // The window has no close command: a close request of the window manager (its close box,
    // Alt+F4) is ignored; it goes only with its button or Enter, or with the program.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    ToolWindow::closeEvent(event);
}

} // namespace spectrane
