// The main window: the menu bar, the plot canvas with its scroll bars and synchro check boxes,
// and the wiring that runs the commands (commands.h), each from its row of the menu table. It owns
// the program's state for the whole run, the gradation window's controller and the drag worker.
#pragma once

#include "app/app_state.h"
#include "app/commands.h"
#include "app/dialog_runner.h"
#include "app/gradation_window_controller.h"
#include "app/ui_services.h"
#include "editing/drag_worker.h"
#include "editing/editor_context.h"
#include "views/scroll_axis.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>

class QCheckBox;
class QMenu;
class QScrollBar;

namespace spectrane {

class AnalysisWindow;
class CanvasWidget;
class PointTableWindow;
class QtEditorHost;

class MainWindow : public QMainWindow, public CommandShell {
    Q_OBJECT
public:
    struct Options {
        std::filesystem::path exeFolder; // where the settings and default folders live
        UiServices ui;                   // empty members take the real dialogs
        // The desktop work area's right and bottom edges; empty = the primary screen's.
        std::function<QSize()> workArea;
        bool startUpRequests = true; // show the gradation and title windows after start-up
    };

    // One menu item: its command id, text, check mark, the handler it runs, the name of the
    // undo step a change of the document by it makes, and its shortcut.
    struct MenuRow {
        int id; // 0 = separator
        const char* text;
        bool checkable;
        void (Commands::*run)();
        const char* step = nullptr;
        const char* shortcut = nullptr; // one or more, separated by "; "
    };
    struct MenuColumn {
        const char* title;
        std::span<const MenuRow> rows;
    };

    explicit MainWindow(Options options);
    ~MainWindow() override;

    AppState& state() { return *state_; }
    CanvasWidget* canvas() const { return canvas_; }
    QScrollBar* horizontalBar() const { return hBar_; }
    QScrollBar* verticalBar() const { return vBar_; }
    QCheckBox* synchroBox(int ch) const { return synchroBoxes_[ch]; }
    GradationWindowController& gradationWindow() { return *gradation_; }
    // The analysis window, or nullptr before it was first opened.
    AnalysisWindow* analysisWindow() const { return analysis_.get(); }
    DialogRunner& dialogs() { return *dialogs_; }
    // The point table, or nullptr before it was first opened.
    PointTableWindow* pointTable() const { return pointTable_.get(); }

    // Runs main-menu command `id` (1034..1055) as choosing its item does.
    void dispatchCommand(int id);
    // Runs an item of the gradation window's popup menu (1000..1007).
    void dispatchBitmapPopup(int id);

    // The curve editor: its context, the drag worker and the host they reach the UI through.
    EditorContext& editor() { return *editor_; }
    DragWorker& worker() { return *worker_; }
    QtEditorHost& editorHost() { return *editorHost_; }
    // Blocks until the drag worker is idle; every command and handler that touches the
    // document or the buffers calls it first.
    void waitForWorkerIdle();
    // Right release over the plot at screen position `screenPos`: the editor's popup menu over
    // the highlighted anchor, then its command.
    void editorPopupAt(const QPoint& screenPos);
    // The real tool windows (what the tool-window service runs unless a test answers).
    int runRealToolWindow(QWidget* owner, ToolWindowKind kind);
    // Editing by keys (plot_keys.cpp). A key pressed on the plot: true when it is one of the
    // plot's keys (then it is done).
    bool plotKey(int key, Qt::KeyboardModifiers modifiers);
    // The mouse was used on the plot: a run of key moves ends.
    void endKeyRun() { keyRun_.open = false; }
    // Point command `command` (1000..1005) on the highlighted anchor, as the point menu runs it
    // (1003 asks for the position first), recorded as its undo step.
    void runPointCommand(int command);
    // The point table chose point i of the current channel, or typed its dot and level.
    void selectPointFromTable(int i);
    void setPointFromTable(int i, int dot, int level);
    // A drag has ended (the left button seen up): its step is recorded once the worker is done.
    void dragEnded();
    // The worker's done notice, on the UI thread.
    void workerJobEnded();
    // The plot is drawn again (and the analysis follows).
    void invalidate() override;
    // The one path every change of the document ends on, whatever made it (menu and popup
    // commands, the synchro boxes, a drag, undo and redo): it follows the undo recording, and
    // brings the analysis window up to date and back beside the plot. A new command reaches it
    // through runCommand without doing anything.
    void documentChanged();
    // The analysis window (when shown) below the plot, dot under dot, inside the work area.
    void placeAnalysisWindow();
    // The drag worker's start-up requests: the gradation window, the title window.
    void showGradationWindowAtStart();
    void runTitleWindow();

    // Lays the main window out for the document's length (sizes, place, scroll bars).
    void LayoutMainWindow();
    // Scroll handlers (step by request, clamped), as the scroll bars call them.
    void scrollMain(Qt::Orientation axis, ScrollRequest request, int trackPos = 0);
    // The canvas (client area) became w x h.
    void canvasResized(int w, int h);

    // The command handlers, one per menu row.
    Commands& commands() { return *commands_; }

    // What the commands reach of the windows (CommandShell).
    QWidget* mainWidget() override { return this; }
    void hideWindows() override;
    void showWindows() override;
    void layoutMain() override { LayoutMainWindow(); }
    void makeNewDocument() override;
    void updateSynchroBoxes(bool previous) override;
    void resyncSynchro() override;
    void toggleAnalysisWindow() override;
    void togglePointTable() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    // Waits for the worker, runs a command handler, records the change it made to the document
    // as the undo step `step` (if any), and sets the menus from the flags (Qt flips a checkable
    // item by itself when it is chosen).
    void runCommand(void (Commands::*handler)(), const char* step);
    // Records a change of the document as an undo step and updates the Edit menu.
    void recordStep(const char* step);
    // Records the step of an item of the editor's popup menu.
    void recordEditorPopupStep(int command);
    // Sets the undo and redo items from the history.
    void syncUndoItems();
    void startUp();
    void startEditor();
    void shutDown();
    void layoutClient();
    void placeSynchroBoxes();
    void applyScrollBars();
    // Opens the analysis window below the main window (created the first time), or closes it.
    void setAnalysisWindowOpen(bool open);
    // Opens the point table beside the main window (created the first time), or closes it.
    void setPointTableOpen(bool open);
    // Highlights point i of the current channel for the keys and the table; a run of key moves
    // ends.
    void selectPoint(int i);
    // A key move changed the document: shown, and recorded as a step that the following moves
    // of the same point take on.
    void keyMoved();
    // Menu check marks from the settings and the document.
    void syncMenuChecks();
    void synchroBoxClicked(int ch);
    // The point position window for the highlighted anchor, owned by `owner`: leaves the typed
    // dot and level in the editing state; returns 1 when confirmed.
    int runPositionWindow(QWidget* owner);

    Options options_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<GradationWindowController> gradation_;
    std::unique_ptr<AnalysisWindow> analysis_;     // top level; closed at shut-down
    std::unique_ptr<PointTableWindow> pointTable_; // top level; closed at shut-down
    std::unique_ptr<DialogRunner> dialogs_;
    std::unique_ptr<Commands> commands_;
    ToolWindowContext toolContext_;
    CanvasWidget* canvas_ = nullptr;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    std::array<QCheckBox*, 3> synchroBoxes_{};
    QMenu* editorPopup_ = nullptr;
    std::unique_ptr<QtEditorHost> editorHost_;
    std::unique_ptr<EditorContext> editor_;
    std::unique_ptr<DragWorker> worker_;
    bool shutDown_ = false;
    bool framed_ = false;       // placed once with the window manager's real frame
    bool dragToRecord_ = false; // a drag has ended whose step is not recorded yet
    // The run of key moves whose undo step the next move of the same point takes on.
    struct KeyRun {
        bool open = false;
        ChannelIndex channel = 0;
        int point = -1;
    } keyRun_;
};

} // namespace spectrane
