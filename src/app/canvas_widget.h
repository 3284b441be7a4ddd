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
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MainWindow* owner_;
};

} // namespace spectrane
