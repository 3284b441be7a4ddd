// The gradation window's life: created and destroyed, laid out for the document beside the
// main window, its picture redrawn, shown without taking the focus in its place in the stacking
// order, kept on top when so set.
#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace spectrane {

class BitmapWindow;
struct AppState;

class GradationWindowController {
public:
    // What the controller needs of the main window.
    struct Hooks {
        std::function<void()> waitForWorker;        // before the window touches the picture
        std::function<void(int id)> popupChosen;    // an item of the window's popup menu
        std::function<void(bool open)> openChanged; // the window was created or closed
        std::function<QSize()> workArea;            // right and bottom edge of the work area
    };

    GradationWindowController(QWidget* mainWindow, AppState& state, Hooks hooks);
    ~GradationWindowController();
    GradationWindowController(const GradationWindowController&) = delete;
    GradationWindowController& operator=(const GradationWindowController&) = delete;

    BitmapWindow* window() const { return window_; }
    bool isOpen() const { return window_ != nullptr; }
    // Open and set to stay on top: then it owns the dialogs.
    bool isTopmostOpen() const;

    // Creates the window hidden (start-up: the drag worker asks for it to be shown).
    void create();
    // The menu's open: creates, lays out, draws and shows it in its place.
    void OpenBitmapWindow();
    // The menu's close; the window reports back through closed().
    void CloseBitmapWindow();
    // The window was closed (by the menu or its close box).
    void closed();
    // Destroys it without a report (shut-down).
    void destroy();

    // Lays the window out for the document's direction, length and thickness beside the main
    // window (also when closed: the layout gives the picture's margins).
    void LayoutBitmapWindow();
    // Frames and paints the picture in GradationBuffer.
    void redraw();
    // Shows it without taking the focus: on top of everything when topmost, else right behind
    // the main window.
    void showInPlace();
    void hide();
    void setEnabled(bool enabled);
    void setTopmost(bool topmost);
    void invalidate();

    // Called by the window.
    void popupChosen(int id) { hooks_.popupChosen(id); }
    void waitForWorker() { hooks_.waitForWorker(); }
    AppState& state() { return state_; }
    QWidget* mainWindow() const { return main_; }

private:
    QWidget* main_;
    AppState& state_;
    Hooks hooks_;
    BitmapWindow* window_ = nullptr; // no owner: it is not deleted with the main window
};

} // namespace spectrane
