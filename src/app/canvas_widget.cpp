#include "app/canvas_widget.h"

#include "app/main_window.h"
#include "app/surface_image.h"

#include <QPainter>
#include <QResizeEvent>

namespace spectrane {

CanvasWidget::CanvasWidget(MainWindow* owner) : QWidget(owner), owner_(owner) {
    setObjectName(QStringLiteral("canvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
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

} // namespace spectrane
