// The main window's client area: shows MainBuffer at the scroll positions and passes mouse
// input on to the editor.
#pragma once

#include <QWidget>

namespace spectrane {

class MainWindow;

class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(MainWindow* owner);

protected:
    // Tab and Shift+Tab choose points on the plot rather than move the focus.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel scrolls the view vertically, with Shift (or a sideways wheel) horizontally.
    void wheelEvent(QWheelEvent* event) override;

private:
    // The event's position in content coordinates (scroll positions added); publishes it with
    // the left button's state for the drag worker.
    QPoint publish(const QMouseEvent* event);
    void rightPress(QMouseEvent* event, QPoint content);

    MainWindow* owner_;
    int wheelPending_[2] = {0, 0}; // horizontal, vertical
};

} // namespace spectrane
