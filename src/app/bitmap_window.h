// The gradation window: the live gradation as it will be saved, framed in GradationBuffer,
// resizable across the gradation (which sets the thickness), scrollable along it, draggable by
// its client area, with its own popup menu.
#pragma once

#include <QWidget>

class QMenu;
class QScrollBar;

namespace spectrane {

class GradationWindowController;
struct AppState;

class BitmapWindow : public QWidget {
    Q_OBJECT
public:
    explicit BitmapWindow(GradationWindowController& controller);

    QScrollBar* horizontalBar() const { return hBar_; }
    QScrollBar* verticalBar() const { return vBar_; }
    QWidget* picture() const { return picture_; }

    // Applies the current layout: size, place, scroll bar along the gradation, title.
    void applyLayout();
    void updateTitle();
    void setTopmost(bool topmost);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pictureResized(int w, int h);
    void applyScrollBar();
    void paintPicture(QPaintEvent* event);

    GradationWindowController& controller_;
    AppState& state_;
    QWidget* picture_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    QMenu* popup_ = nullptr;
    bool applyingLayout_ = false;
    int wheelPending_ = 0; // wheel turned but not yet a notch
};

} // namespace spectrane
