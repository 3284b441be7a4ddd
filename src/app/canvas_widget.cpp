#include "app/canvas_widget.h"

#include "app/main_window.h"
#include "app/qt_editor_host.h"
#include "app/scroll_bar_binding.h"
#include "editing/editor_input.h"
#include "qtsupport/surface_image.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>

namespace spectrane {

CanvasWidget::CanvasWidget(MainWindow* owner) : QWidget(owner), owner_(owner) {
    setObjectName(QStringLiteral("canvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // the keys edit points too
}

bool CanvasWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            owner_->plotKey(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (owner_->plotKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    AppState& state = owner_->state();
    QPainter painter(this);
    const MainLayout& l = state.mainLayout;
    // A copy under the lock: the drag worker never shows a half-drawn step.
    std::lock_guard lock(state.bufferMutex);
    const QImage image = surfaceImage(state.buffers.mainBuffer);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::black);
    painter.drawImage(dirty.topLeft(), image, dirty.translated(l.horizontal.pos, l.vertical.pos));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_->canvasResized(event->size().width(), event->size().height());
}

QPoint CanvasWidget::publish(const QMouseEvent* event) {
    const MainLayout& l = owner_->state().mainLayout;
    const QPoint client = event->position().toPoint();
    const QPoint content(client.x() + l.horizontal.pos, client.y() + l.vertical.pos);
    owner_->editorHost().publishPointer(content.x(), content.y(),
                                        event->buttons().testFlag(Qt::LeftButton));
    return content;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = publish(event);
    owner_->endKeyRun();
    if (event->button() == Qt::RightButton) {
        rightPress(event, p);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // A press on an anchor keeps the mouse grabbed by this widget until the release, as Qt
    // does for any press.
    switch (LeftButtonDown(owner_->editor(), owner_->worker(), p.x(), p.y())) {
    case LeftPress::MoveWindow:
        if (QWindow* w = window()->windowHandle()) {
            w->startSystemMove();
        }
        break;
    case LeftPress::DragStarted:
    case LeftPress::Ignored:
        break;
    }
    event->accept();
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = publish(event);
    if (event->button() == Qt::RightButton) {
        rightPress(event, p);
        return;
    }
    // The second press of a left double-click does nothing.
    event->accept();
}

void CanvasWidget::rightPress(QMouseEvent* event, QPoint content) {
    if (RightButtonDown(owner_->editor(), owner_->worker(), content.x(), content.y()) ==
        RightPress::Swallowed) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = publish(event);
    const bool wasDragging = owner_->state().edit.dragging;
    MouseMove(owner_->editor(), owner_->worker(), p.x(), p.y(),
              event->buttons().testFlag(Qt::LeftButton));
    if (wasDragging && !owner_->state().edit.dragging) {
        owner_->dragEnded();
    }
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const bool sideways = event->modifiers().testFlag(Qt::ShiftModifier) || angle.y() == 0;
    const Qt::Orientation axis = sideways ? Qt::Horizontal : Qt::Vertical;
    const int steps =
        wheelLineSteps(wheelPending_[sideways ? 0 : 1], angle.y() != 0 ? angle.y() : angle.x());
    for (int i = 0; i < std::abs(steps); ++i) {
        owner_->scrollMain(axis, steps < 0 ? ScrollRequest::LineBack : ScrollRequest::LineForward);
    }
    event->accept();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    publish(event);
    if (event->button() == Qt::LeftButton) {
        const bool wasDragging = owner_->state().edit.dragging;
        LeftButtonUp(owner_->state().edit);
        if (wasDragging) {
            owner_->dragEnded();
        }
    } else if (event->button() == Qt::RightButton) {
        owner_->editorPopupAt(event->globalPosition().toPoint());
    }
}

} // namespace spectrane
