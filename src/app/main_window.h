// The main window: the menu bar, the plot canvas with its scroll bars and synchro check boxes,
// and the commands, all routed by id through dispatchCommand. It owns the program's state for
// the whole run.
#pragma once

#include "app/app_state.h"
#include "app/ui_services.h"
#include "editing/drag_worker.h"
#include "editing/editor_context.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <memory>

class QCheckBox;
class QMenu;
class QScrollBar;

namespace spectrane {

class BitmapWindow;
class CanvasWidget;
class QtEditorHost;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        std::filesystem::path exeFolder; // where the settings and default folders live
        UiServices ui;                   // empty members take the real dialogs
        // The desktop work area's right and bottom edges; empty = the primary screen's.
        std::function<QSize()> workArea;
        bool startUpRequests = true; // show the gradation and title windows after start-up
    };

    explicit MainWindow(Options options);
    ~MainWindow() override;

    AppState& state() { return *state_; }
    BitmapWindow* bitmapWindow() const { return bitmapWindow_; }
    CanvasWidget* canvas() const { return canvas_; }
    QScrollBar* horizontalBar() const { return hBar_; }
    QScrollBar* verticalBar() const { return vBar_; }
    QCheckBox* synchroBox(int ch) const { return synchroBoxes_[ch]; }

    // Runs main-menu command `id` (1034..1048) or a synchro check box (1000..1002).
    void dispatchCommand(int id);
    // Runs an item of the gradation window's popup menu (1000..1007).
    void dispatchBitmapPopup(int id);

    // The window that owns dialogs: the gradation window when open and topmost, else this.
    QWidget* dialogOwner();

    // Lays the main window out for the document's length (sizes, place, scroll bars).
    void LayoutMainWindow();
    void LayoutBitmapWindow();
    void OpenBitmapWindow();
    void showBitmapWindowInPlace();
    void CloseBitmapWindow();
    // Called by the gradation window when it closes itself.
    void bitmapWindowClosed();

    // Menu check marks from the settings and the document.
    void syncMenuChecks();
    // Shows or hides the synchro boxes and sets their checks; `previous` is the synchro state
    // before the change.
    void updateSynchroBoxes(bool previous);

    // The curve editor: its context, the drag worker and the host they reach the UI through.
    EditorContext& editor() { return *editor_; }
    DragWorker& worker() { return *worker_; }
    QtEditorHost& editorHost() { return *editorHost_; }
    QMenu* editorPopupMenu() const { return editorPopup_; }
    // Blocks until the drag worker is idle; every command and handler that touches the
    // document or the buffers calls it first.
    void waitForWorkerIdle();
    // Right release over the plot at screen position `screenPos`: the editor's popup menu over
    // the highlighted anchor, then its command.
    void editorPopupAt(const QPoint& screenPos);
    // The real tool window `name` (what the tool-window service runs unless a test answers).
    int runRealToolWindow(QWidget* owner, std::string_view name);
    // The point position window for the highlighted anchor: leaves the typed dot and level in
    // the editing state; returns 1 when confirmed.
    int runPositionSetWindow();
    // The point position window for the highlighted anchor, owned by `owner`.
    int runPositionWindow(QWidget* owner);
    // The title window with the gradation window disabled around it.
    void runTitleWindow();
    // The main window's message-box request: titled "メッセージ", owned by the dialog owner.
    void requestMessageBox(const QString& text);

    // Scroll handlers (step by request, clamped), as the scroll bars call them.
    void scrollMain(Qt::Orientation axis, ScrollRequest request, int trackPos = 0);
    // The canvas (client area) became w x h.
    void canvasResized(int w, int h);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutClient();
    void buildWidgets();
    void startUp();
    void shutDown();
    void placeSynchroBoxes();
    void applyScrollBars();
    void invalidate();
    void hideWindows();
    void showWindows();

    int runTool(std::string_view name);
    // Runs a tool window with the bitmap window disabled around it; returns its code.
    int runToolStep(std::string_view name);
    QString chooseFile(FileDialogKind kind);
    QString chooseFileOwned(QWidget* owner, FileDialogKind kind);
    QMessageBox::StandardButton message(QWidget* owner, QMessageBox::Icon icon,
                                        const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    void setBitmapWindowEnabled(bool enabled);
    void raiseMainIfBitmapTopmost();

    void commandNew();
    void commandOpen();
    void commandSave();
    void commandSaveBitmap(QWidget* owner);
    void commandExit();
    void commandLength();
    void applyLengthChange(int oldLength);
    void commandDirection();
    void applyDirectionChange();
    void commandBitmapWindow();
    void commandTopmost();
    void commandLoop();
    void commandCmy();
    void commandSynchro();
    void commandAbout();
    void synchroBoxClicked(int ch);
    void startEditor();

    Options options_;
    std::unique_ptr<AppState> state_;
    CanvasWidget* canvas_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    std::array<QCheckBox*, 3> synchroBoxes_{};
    BitmapWindow* bitmapWindow_ = nullptr;
    QMenu* editorPopup_ = nullptr;
    std::unique_ptr<QtEditorHost> editorHost_;
    std::unique_ptr<EditorContext> editor_;
    std::unique_ptr<DragWorker> worker_;
    bool shutDown_ = false;
    bool inScrollUpdate_ = false;
};

} // namespace spectrane
