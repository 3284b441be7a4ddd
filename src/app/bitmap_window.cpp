#include "app/bitmap_window.h"

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/gradation_window_controller.h"
#include "app/menus.h"
#include "app/scroll_bar_binding.h"
#include "qtsupport/surface_image.h"
#include "qtsupport/window_frame.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

namespace spectrane {

BitmapWindow::BitmapWindow(GradationWindowController& controller)
    : QWidget(nullptr, Qt::Window), controller_(controller), state_(controller.state()) {
    setObjectName(QStringLiteral("MyBitMapWnd"));
    setWindowTitle(QStringLiteral("Gradation BitMap - Spectrane"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(480, 360);
    picture_ = new QWidget(this);
    picture_->setObjectName(QStringLiteral("gradationPicture"));
    picture_->setAttribute(Qt::WA_OpaquePaintEvent);
    picture_->installEventFilter(this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    hBar_->setObjectName(QStringLiteral("bitmapHorizontalBar"));
    vBar_ = new QScrollBar(Qt::Vertical, this);
    vBar_->setObjectName(QStringLiteral("bitmapVerticalBar"));
    auto scrolled = [this](ScrollRequest r, int track) {
        ScrollAxis& along = state_.bitmapLayout.along;
        if (along.scroll(r, track) != 0) {
            picture_->update();
        }
        return along.pos;
    };
    bindScrollBar(hBar_, scrolled);
    bindScrollBar(vBar_, scrolled);
    popup_ = new QMenu(this);
    buildBitmapPopupMenu(popup_);
    setTopmost(state_.settings.bitmapWindowTopmost);
}

void BitmapWindow::setTopmost(bool topmost) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    setMenuCheck(this, kPopupTopmost, topmost);
    if (visible) {
        // Changing the flags hides a window; bring it back without taking the focus.
        setAttribute(Qt::WA_ShowWithoutActivating);
        show();
    }
}

void BitmapWindow::applyLayout() {
    const BitmapWindowLayout& l = state_.bitmapLayout;
    applyingLayout_ = true;
    const QMargins wm = windowFrameOf(this, controller_.mainWindow());
    const QSize wmExtra(wm.left() + wm.right(), wm.top() + wm.bottom());
    setMinimumSize(QSize(l.minTrackWidth, l.minTrackHeight) - wmExtra);
    setMaximumSize(QSize(l.maxTrackWidth, l.maxTrackHeight) - wmExtra);
    placeTopLevel(this, {l.outer.x, l.outer.y, l.outer.width, l.outer.height}, wm);
    applyingLayout_ = false;
    hBar_->setVisible(!l.vertical);
    vBar_->setVisible(l.vertical);
    pictureResized(l.clientWidth, l.clientHeight);
    applyScrollBar();
    updateTitle();
}

void BitmapWindow::updateTitle() {
    setWindowTitle(QString::fromStdString(bitmapWindowTitle(state_.bitmapLayout)));
}

void BitmapWindow::applyScrollBar() {
    const BitmapWindowLayout& l = state_.bitmapLayout;
    applyScrollAxis(l.vertical ? vBar_ : hBar_, l.along);
}

void BitmapWindow::pictureResized(int w, int h) {
    const bool vertical = state_.bitmapLayout.vertical;
    const int barW = vertical ? vBar_->sizeHint().width() : 0;
    const int barH = vertical ? 0 : hBar_->sizeHint().height();
    picture_->setGeometry(0, 0, w, h);
    hBar_->setGeometry(0, h, w, barH);
    vBar_->setGeometry(w, 0, barW, h);
}

bool BitmapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Paint:
        paintPicture(static_cast<QPaintEvent*>(event));
        return true;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && windowHandle() != nullptr) {
            // The whole picture drags the window, as its caption would.
            windowHandle()->startSystemMove();
            return true;
        }
        break;
    }
    case QEvent::Wheel: {
        // The wheel scrolls along the gradation, the one axis with a bar.
        const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
        const int steps = wheelLineSteps(wheelPending_, angle.y() != 0 ? angle.y() : angle.x());
        ScrollAxis& along = state_.bitmapLayout.along;
        bool moved = false;
        for (int i = 0; i < std::abs(steps); ++i) {
            moved = along.scroll(steps < 0 ? ScrollRequest::LineBack
                                           : ScrollRequest::LineForward) != 0 ||
                    moved;
        }
        if (moved) {
            applyScrollBar();
            picture_->update();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QAction* chosen = popup_->exec(mouse->globalPosition().toPoint());
            controller_.popupChosen(chosen != nullptr ? chosen->data().toInt() : 0);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void BitmapWindow::paintPicture(QPaintEvent* event) {
    QPainter painter(picture_);
    const BitmapWindowLayout& l = state_.bitmapLayout;
    const QRect dirty = event->rect();
    std::lock_guard lock(state_.bufferMutex);
    const Surface& buffer = state_.buffers.gradationBuffer(state_.doc.direction);
    painter.fillRect(dirty, Qt::black);
    painter.drawImage(dirty.topLeft(), surfaceImage(buffer),
                      dirty.translated(bitmapScrollX(l), bitmapScrollY(l)));
}

void BitmapWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (applyingLayout_) {
        return;
    }
    // The thickness and the picture belong to the drag worker while it runs.
    controller_.waitForWorker();
    BitmapWindowLayout& l = state_.bitmapLayout;
    const int barW = l.vertical ? vBar_->sizeHint().width() : 0;
    const int barH = l.vertical ? 0 : hBar_->sizeHint().height();
    const int w = width() - barW;
    const int h = height() - barH;
    pictureResized(w, h);
    if (resizeBitmapWindow(l, w, h, state_.doc.thickness)) {
        controller_.redraw();
    }
    applyScrollBar();
    updateTitle();
    picture_->update();
}

void BitmapWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    controller_.closed();
}

} // namespace spectrane
