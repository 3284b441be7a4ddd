#include "app/main_window.h"

#include "app/analysis_window.h"
#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/menus.h"
#include "app/point_table_window.h"
#include "app/qt_editor_host.h"
#include "app/refresh_document.h"
#include "app/scroll_bar_binding.h"
#include "editing/editor_input.h"
#include "editing/point_commands.h"
#include "files/extra_settings_file.h"
#include "model/whole_numbers.h"
#include "qtsupport/qt_text_renderer.h"
#include "qtsupport/shown_text.h"
#include "qtsupport/window_frame.h"
#include "toolwindows/position_window.h"
#include "views/previews.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <chrono>

namespace spectrane {

namespace {

std::unique_ptr<AppState> makeState() {
    auto state = std::make_unique<AppState>();
    state->text = std::make_unique<QtTextRenderer>();
    return state;
}

} // namespace

MainWindow::MainWindow(Options options)
    : options_(std::move(options)),
      state_(makeState()), toolContext_{state_->doc,
                                        state_->settings,
                                        {state_->buffers.previewSheet,
                                         state_->buffers.previewCanvas,
                                         *state_->text,
                                         {shownText(kLengthLabel).toStdString(),
                                          shownText(kWidthLabel).toStdString()}},
                                        this,
                                        {}} {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Spectrane  ver." SPECTRANE_VERSION));
    UiServices& ui = options_.ui;
    if (!ui.chooseFile) {
        ui.chooseFile = chooseFileWithDialog;
    }
    if (!ui.messageBox) {
        ui.messageBox = showMessageBox;
    }
    if (!ui.runToolWindow) {
        ui.runToolWindow = [this](QWidget* owner, ToolWindowKind kind) {
            return runRealToolWindow(owner, kind);
        };
    }
    if (!ui.choosePopupItem) {
        ui.choosePopupItem = execPopupMenu;
    }
    if (!options_.workArea) {
        options_.workArea = [] {
            const QRect r = QGuiApplication::primaryScreen()->availableGeometry();
            return QSize(r.right() + 1, r.bottom() + 1);
        };
    }
    toolContext_.messageBox = ui.messageBox;
    GradationWindowController::Hooks hooks;
    hooks.waitForWorker = [this] { waitForWorkerIdle(); };
    hooks.popupChosen = [this](int id) { dispatchBitmapPopup(id); };
    hooks.openChanged = [this](bool open) {
        if (editorHost_ != nullptr) {
            editorHost_->setBitmapWindowOpen(open);
        }
        syncMenuChecks();
    };
    hooks.workArea = options_.workArea;
    gradation_ = std::make_unique<GradationWindowController>(this, *state_, std::move(hooks));
    dialogs_ = std::make_unique<DialogRunner>(this, *gradation_, state_->paths, ui);
    commands_ = std::make_unique<Commands>(
        Commands::Services{*state_, *dialogs_, *gradation_, options_.ui, *this});
    buildWidgets();
    startUp();
}

MainWindow::~MainWindow() {
    shutDown();
}

void MainWindow::buildWidgets() {
    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->installEventFilter(this);
    setCentralWidget(central);
    canvas_ = new CanvasWidget(this);
    canvas_->setParent(central);
    canvas_->setFocus(); // the plot's keys work from the start
    hBar_ = new QScrollBar(Qt::Horizontal, central);
    hBar_->setObjectName(QStringLiteral("mainHorizontalBar"));
    vBar_ = new QScrollBar(Qt::Vertical, central);
    vBar_->setObjectName(QStringLiteral("mainVerticalBar"));
    bindScrollBar(hBar_, [this](ScrollRequest r, int track) {
        scrollMain(Qt::Horizontal, r, track);
        return state_->mainLayout.horizontal.pos;
    });
    bindScrollBar(vBar_, [this](ScrollRequest r, int track) {
        scrollMain(Qt::Vertical, r, track);
        return state_->mainLayout.vertical.pos;
    });
    for (int ch = 0; ch < 3; ++ch) {
        auto* box = new QCheckBox(QStringLiteral("Check%1").arg(ch + 1), canvas_);
        box->setObjectName(QStringLiteral("synchroBox%1").arg(ch));
        box->setFixedSize(15, 15);
        connect(box, &QCheckBox::clicked, this, [this, ch] {
            waitForWorkerIdle();
            synchroBoxClicked(ch);
        });
        synchroBoxes_[ch] = box;
    }
    editorPopup_ = new QMenu(this);
    editorPopup_->setObjectName(QStringLiteral("editorPopup"));
    for (const EditorPopupItem& item : kEditorPopupItems) {
        addMenuItem(editorPopup_, item.id, shownText(item.text), false);
    }
}

void MainWindow::startUp() {
    AppState& s = *state_;
    s.rng.seed(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count()));
    s.paths = BuildProgramPaths(options_.exeFolder);
    s.settings = LoadSettings(s.paths.settingsPath).settings;
    s.doc.settings() = s.settings.gradation;
    updateSynchroBoxes(true);
    ChooseChannelColors(s.colors, s.doc.mode);
    DrawPreviewSheet(s.buffers.previewSheet);
    if (s.settings.bitmapWindowOpen) {
        gradation_->create(); // shown by the drag worker once it runs
    }
    syncMenuChecks();
    makeNewDocument();
    s.history.reset(s.doc);
    startEditor();
    syncUndoItems();
    if (s.paths.hasFolder()) {
        const ExtraSettings extra = LoadExtraSettings(extraSettingsPath(s.paths));
        if (extra.analysisWindowOpen) {
            setAnalysisWindowOpen(true);
        }
        if (extra.pointTableOpen) {
            setPointTableOpen(true);
        }
    }
}

void MainWindow::makeNewDocument() {
    AppState& s = *state_;
    s.doc.thickness = kDefaultThickness;
    LayoutMainWindow();
    gradation_->LayoutBitmapWindow();
    s.doc.currentChannel = 0;
    RefreshDocument(s, RefreshMode::Generating);
}

void MainWindow::startEditor() {
    AppState& s = *state_;
    editorHost_ = std::make_unique<QtEditorHost>(this);
    editorHost_->setBitmapWindowOpen(gradation_->isOpen());
    editor_ = std::make_unique<EditorContext>(
        EditorContext{s.doc, s.buffers, s.colors, *s.text, s.edit, *editorHost_, s.bitmapLayout,
                      &s.settings.showPointPositions, &s.bufferMutex});
    // What the worker asks for before it takes jobs: the gradation window, shown without
    // taking the focus, and the title window when so set.
    DragWorker::StartUp requests;
    requests.showBitmapWindow = options_.startUpRequests && gradation_->isOpen();
    requests.runTitleWindow = options_.startUpRequests && s.settings.showTitleWindow;
    worker_ = std::make_unique<DragWorker>(*editor_, requests);
}

void MainWindow::waitForWorkerIdle() {
    if (worker_ != nullptr) {
        worker_->waitUntilIdle();
    }
}

void MainWindow::showGradationWindowAtStart() {
    gradation_->showInPlace();
    if (analysis_ != nullptr && analysis_->isVisible()) {
        analysis_->raise(); // above the gradation window, whose bottom edge reaches over it
    }
}

void MainWindow::runTitleWindow() {
    dialogs_->runToolWindow(ToolWindowKind::Title);
}

int MainWindow::runRealToolWindow(QWidget* owner, ToolWindowKind kind) {
    if (kind == ToolWindowKind::PositionSet) {
        return runPositionWindow(owner);
    }
    return RunToolWindow(owner, kind, toolContext_);
}

int MainWindow::runPositionWindow(QWidget* owner) {
    AppState& s = *state_;
    PositionRequest request = positionRequestFor(s.doc, s.edit.hoveredPoint);
    // The window opens beside the point as it is on the screen now.
    const CurvePoint& a = s.doc.channels[s.doc.currentChannel].anchorPoints[s.edit.hoveredPoint];
    request.screenPoint = canvas_->mapToGlobal(QPoint(shownTrunc(a.x) - s.mainLayout.horizontal.pos,
                                                      shownTrunc(a.y) - s.mainLayout.vertical.pos));
    request.workArea = QRect(QPoint(0, 0), options_.workArea());
    PositionResult result{request.dot, request.level};
    const int code = RunPositionSetWindow(owner, request, result, options_.ui.messageBox);
    if (code == kToolOk) {
        s.edit.positionDot = result.dot;
        s.edit.positionLevel = result.level;
    }
    return code;
}

void MainWindow::editorPopupAt(const QPoint& screenPos) {
    waitForWorkerIdle();
    AppState& s = *state_;
    // The menu takes the mouse: a drag still held (the left button pressed on a point, then a
    // right click) ends here, since its release will go to the menu.
    if (s.edit.dragging) {
        MouseGrabLost(s.edit);
        dragEnded();
    }
    if (s.edit.hoveredPoint == -1) {
        return;
    }
    runPointCommand(options_.ui.choosePopupItem(editorPopup_, screenPos));
}

void MainWindow::runPointCommand(int command) {
    if (command == kPopupSetPosition) {
        dialogs_->setGradationWindowEnabled(false);
        const int result = options_.ui.runToolWindow(this, ToolWindowKind::PositionSet);
        dialogs_->setGradationWindowEnabled(true);
        if (result != kToolOk) {
            command = kPopupEditorCancel;
        }
    }
    RunPopupCommand(*editor_, command);
    recordEditorPopupStep(command);
}

void MainWindow::shutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    if (worker_ != nullptr) {
        // A worker still waiting for a start-up request must not keep the join waiting.
        editorHost_->cancelRequests();
        worker_->stop();
    }
    AppState& s = *state_;
    s.settings.gradation = s.doc.settings();
    s.settings.bitmapWindowOpen = gradation_->isOpen();
    FileResult saved = SaveSettings(s.paths.settingsPath, s.settings);
    if (saved && s.paths.hasFolder()) {
        ExtraSettings extra;
        extra.analysisWindowOpen = analysis_ != nullptr && analysis_->isVisible();
        extra.pointTableOpen = pointTable_ != nullptr && pointTable_->isVisible();
        saved = SaveExtraSettings(extraSettingsPath(s.paths), extra);
    }
    if (!saved) {
        dialogs_->message(this, QMessageBox::Warning, QStringLiteral("Spectrane"),
                          failureText(saved));
    }
    gradation_->destroy();
    analysis_.reset();
    pointTable_.reset();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!framed_) {
        framed_ = true;
        // The first layout could not know the window manager's frame; once it does, the window
        // and the gradation window beside it are placed again where they belong.
        whenFramed(this, [this] {
            waitForWorkerIdle();
            LayoutMainWindow();
            gradation_->LayoutBitmapWindow();
            if (analysis_ != nullptr && analysis_->isVisible()) {
                // Opened at start before this window was: shown again so that the window
                // manager keeps it above this one.
                analysis_->hide();
                analysis_->show();
            }
            placeAnalysisWindow();
            if (pointTable_ != nullptr && pointTable_->isVisible()) {
                pointTable_->placeBeside(frameGeometry(), QRect(QPoint(0, 0), options_.workArea()));
            }
        });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box quits at once; only the Exit command asks first.
    shutDown();
    event->accept();
}

// ---- layout and scrolling -------------------------------------------------------------------

void MainWindow::LayoutMainWindow() {
    AppState& s = *state_;
    const QSize work = options_.workArea();
    // The window manager adds its own frame; the menu bar and the horizontal scroll bar are
    // ours and are part of the size. The layout is settled first so the menu bar's height is
    // the real one.
    layout()->activate();
    const QMargins wm = windowFrameOf(this, gradation_->window());
    WindowFrame f;
    f.extraWidth = wm.left() + wm.right() + width() - centralWidget()->width();
    f.extraHeight = wm.top() + wm.bottom() + height() - centralWidget()->height();
    f.scrollBarHeight = hBar_->sizeHint().height();
    f.scrollBarWidth = vBar_->sizeHint().width();
    s.mainLayout = layoutMainWindow(s.doc.length, work.width(), work.height(), f);
    const MainLayout& l = s.mainLayout;

    const QSize wmExtra(wm.left() + wm.right(), wm.top() + wm.bottom());
    setMinimumSize(kMainMinClientWidth,
                   kMainMinClientHeight + f.extraHeight - wmExtra.height() + f.scrollBarHeight);
    setMaximumSize(QSize(l.maxTrackWidth, l.maxTrackHeight) - wmExtra);
    applyScrollBars();
    placeTopLevel(this, {l.outer.x, l.outer.y, l.outer.width, l.outer.height}, wm);
    placeSynchroBoxes();
}

void MainWindow::canvasResized(int w, int h) {
    resizeMainWindow(state_->mainLayout, w, h);
    applyScrollBars();
    placeSynchroBoxes();
    placeAnalysisWindow();
    invalidate();
}

void MainWindow::applyScrollBars() {
    const MainLayout& l = state_->mainLayout;
    applyScrollAxis(hBar_, l.horizontal);
    applyScrollAxis(vBar_, l.vertical);
}

void MainWindow::layoutClient() {
    // The horizontal bar always stays (disabled when everything fits); the vertical one is
    // there only while the picture is taller than the client.
    const QWidget* c = centralWidget();
    const int barH = hBar_->sizeHint().height();
    const int h = std::max(0, c->height() - barH);
    const bool vVisible = h < CanvasGeometry::kContentHeight;
    const int barW = vVisible ? vBar_->sizeHint().width() : 0;
    const int w = std::max(0, c->width() - barW);
    vBar_->setVisible(vVisible);
    hBar_->setGeometry(0, h, w, barH);
    vBar_->setGeometry(w, 0, barW, h);
    canvas_->setGeometry(0, 0, w, h);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        layoutClient();
    }
    // A popup menu's command still to come works on the document as it was when it opened.
    if (event->type() == QEvent::Shortcut && QApplication::activePopupWidget() != nullptr) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::scrollMain(Qt::Orientation axis, ScrollRequest request, int trackPos) {
    MainLayout& l = state_->mainLayout;
    ScrollAxis& a = axis == Qt::Horizontal ? l.horizontal : l.vertical;
    if (a.scroll(request, trackPos) != 0) {
        applyScrollBars(); // the wheel scrolls without its bar
        placeSynchroBoxes();
        invalidate();
    }
}

void MainWindow::placeSynchroBoxes() {
    const auto places = synchroBoxPlaces(state_->mainLayout);
    for (int ch = 0; ch < 3; ++ch) {
        synchroBoxes_[ch]->move(places[ch].x, places[ch].y);
    }
}

void MainWindow::invalidate() {
    canvas_->update();
    if (analysis_ != nullptr) {
        analysis_->changed();
    }
    if (pointTable_ != nullptr) {
        pointTable_->changed();
    }
}

void MainWindow::hideWindows() {
    gradation_->hide();
    hide();
}

void MainWindow::showWindows() {
    show();
    gradation_->showInPlace();
}

} // namespace spectrane
