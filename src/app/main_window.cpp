#include "app/main_window.h"

#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "qtsupport/fonts.h"
#include "app/menus.h"
#include "app/qt_editor_host.h"
#include "qtsupport/qt_text_renderer.h"
#include "app/refresh_document.h"
#include "app/scroll_bar_binding.h"
#include "qtsupport/surface_image.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "model/whole_numbers.h"
#include "toolwindows/position_window.h"
#include "toolwindows/tool_window.h"
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

MainWindow::MainWindow(Options options)
    : options_(std::move(options)), state_(std::make_unique<AppState>()) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Spectrane  ver." SPECTRANE_VERSION));
    state_->mainWindow = this;
    if (!options_.ui.chooseFile) {
        options_.ui.chooseFile = chooseFileWithDialog;
    }
    if (!options_.ui.messageBox) {
        options_.ui.messageBox = showMessageBox;
    }
    if (!options_.ui.runToolWindow) {
        options_.ui.runToolWindow = [this](QWidget* owner, std::string_view name) {
            return runRealToolWindow(owner, name);
        };
    }
    if (!options_.ui.choosePopupItem) {
        options_.ui.choosePopupItem = execPopupMenu;
    }
    if (!options_.workArea) {
        options_.workArea = [] {
            const QRect r = QGuiApplication::primaryScreen()->availableGeometry();
            return QSize(r.right() + 1, r.bottom() + 1);
        };
    }
    buildWidgets();
    startUp();
}

MainWindow::~MainWindow() {
    shutDown();
}

void MainWindow::buildWidgets() {
    buildMainMenu(menuBar());
    connect(menuBar(), &QMenuBar::triggered, this,
            [this](QAction* action) { dispatchCommand(action->data().toInt()); });

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->installEventFilter(this);
    setCentralWidget(central);
    canvas_ = new CanvasWidget(this);
    canvas_->setParent(central);
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
        connect(box, &QCheckBox::clicked, this,
                [this, ch] { dispatchCommand(kSynchroBoxIds[ch]); });
        synchroBoxes_[ch] = box;
    }
    editorPopup_ = new QMenu(this);
    editorPopup_->setObjectName(QStringLiteral("editorPopup"));
    for (const EditorPopupItem& item : kEditorPopupItems) {
        QAction* action = item.text.empty()
                              ? editorPopup_->addSeparator()
                              : editorPopup_->addAction(QString::fromUtf8(
                                    item.text.data(), static_cast<qsizetype>(item.text.size())));
        action->setData(item.id);
    }
}

void MainWindow::startUp() {
    AppState& s = *state_;
    s.rng.seed(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count()));
    s.paths = BuildProgramPaths(options_.exeFolder);
    s.settings = LoadSettings(s.paths.settingsPath).settings;
    applySettingsToDocument(s.settings, s.doc);
    s.text = std::make_unique<QtTextRenderer>();

    updateSynchroBoxes(true);
    s.doc.thickness = 192;
    ChooseChannelColors(s.colors, s.doc.cmy != 0);
    DrawPreviewSheet(s.buffers.previewSheet);
    if (s.settings.bitmapWindowOpen != 0) {
        bitmapWindow_ = new BitmapWindow(this);
    }
    syncMenuChecks();
    LayoutMainWindow();
    LayoutBitmapWindow();
    s.doc.currentChannel = 0;
    RefreshDocument(s, RefreshMode::Generating);

    startEditor();
}

void MainWindow::startEditor() {
    AppState& s = *state_;
    editorHost_ = std::make_unique<QtEditorHost>(this);
    editorHost_->setBitmapWindowOpen(bitmapWindow_ != nullptr);
    editor_ = std::make_unique<EditorContext>(
        EditorContext{s.doc, s.buffers, s.colors, *s.text, s.edit, *editorHost_, s.bitmapLayout,
                      &s.settings.showPointPositions, &s.bufferMutex});
    // What the worker asks for before it takes jobs: the gradation window, shown without
    // taking the focus, and the title window when so set.
    DragWorker::StartUp requests;
    requests.showBitmapWindow = options_.startUpRequests && bitmapWindow_ != nullptr;
    requests.runTitleWindow = options_.startUpRequests && s.settings.showTitleWindow != 0;
    worker_ = std::make_unique<DragWorker>(*editor_, requests);
}

void MainWindow::waitForWorkerIdle() {
    if (worker_ != nullptr) {
        worker_->waitUntilIdle();
    }
}

void MainWindow::runTitleWindow() {
    setBitmapWindowEnabled(false);
    runTool("TitleWnd");
    setBitmapWindowEnabled(true);
}

int MainWindow::runPositionSetWindow() {
    AppState& s = *state_;
    const ChannelCurve& curve = s.doc.channels[s.doc.currentChannel];
    const CurvePoint& a = curve.anchorPoints[s.edit.hoveredPoint];
    s.edit.positionDot = static_cast<int>(std::floor(a.x - CanvasGeometry::kDotX0));
    s.edit.positionLevel = static_cast<int>(std::floor(CanvasGeometry::kLevelY0 - a.y));
    setBitmapWindowEnabled(false);
    const int result = options_.ui.runToolWindow(this, "PositionSetWnd");
    setBitmapWindowEnabled(true);
    return result;
}

int MainWindow::runRealToolWindow(QWidget* owner, std::string_view name) {
    if (name == "PositionSetWnd") {
        return runPositionWindow(owner);
    }
    return RunToolWindow(owner, name, *state_, options_.ui.messageBox);
}

int MainWindow::runPositionWindow(QWidget* owner) {
    AppState& s = *state_;
    PositionRequest request = positionRequestFor(s.doc, s.edit.hoveredPoint);
    // The window opens beside the point as it is on the screen now.
    const CurvePoint& a = s.doc.channels[s.doc.currentChannel].anchorPoints[s.edit.hoveredPoint];
    request.screenPoint = canvas_->mapToGlobal(QPoint(truncToInt(a.x) - s.mainLayout.horizontal.pos,
                                                      truncToInt(a.y) - s.mainLayout.vertical.pos));
    request.workArea = QRect(QPoint(0, 0), options_.workArea());
    PositionResult result{s.edit.positionDot, s.edit.positionLevel};
    const int code = RunPositionSetWindow(owner, s, request, result, options_.ui.messageBox);
    if (code == kToolOk) {
        s.edit.positionDot = result.dot;
        s.edit.positionLevel = result.level;
    }
    return code;
}

void MainWindow::editorPopupAt(const QPoint& screenPos) {
    waitForWorkerIdle();
    AppState& s = *state_;
    if (s.edit.hoveredPoint == -1) {
        return;
    }
    int command = options_.ui.choosePopupItem(editorPopup_, screenPos);
    if (command == kPopupSetPosition && runPositionSetWindow() != kToolOk) {
        command = kPopupEditorCancel;
    }
    RunPopupCommand(*editor_, command);
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
    storeDocumentInSettings(s.doc, s.settings);
    s.settings.bitmapWindowOpen = bitmapWindow_ != nullptr ? 1 : 0;
    const FileResult saved = SaveSettings(s.paths.settingsPath, s.settings);
    if (!saved) {
        message(this, QMessageBox::Warning, QStringLiteral("Spectrane"),
                QString::fromUtf8(saved.message.c_str()));
    }
    if (bitmapWindow_ != nullptr) {
        // The gradation window has no owner, so it is not deleted with this one.
        delete bitmapWindow_;
        bitmapWindow_ = nullptr;
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
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    WindowFrame f;
    f.extraWidth = frame.width() - centralWidget()->width();
    f.extraHeight = frame.height() - centralWidget()->height();
    f.scrollBarHeight = hBar_->sizeHint().height();
    f.scrollBarWidth = vBar_->sizeHint().width();
    s.mainLayout = layoutMainWindow(s.doc.length, work.width(), work.height(), f);
    const MainLayout& l = s.mainLayout;

    const int frameW = frame.width() - inner.width();
    const int frameH = frame.height() - inner.height();
    setMinimumSize(kMainMinClientWidth,
                   kMainMinClientHeight + f.extraHeight - frameH + f.scrollBarHeight);
    setMaximumSize(l.maxTrackWidth - frameW, l.maxTrackHeight - frameH);
    applyScrollBars();
    move(l.outer.x, l.outer.y);
    resize(l.outer.width - frameW, l.outer.height - frameH);
    placeSynchroBoxes();
}

void MainWindow::canvasResized(int w, int h) {
    resizeMainWindow(state_->mainLayout, w, h);
    applyScrollBars();
    placeSynchroBoxes();
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
    const bool vVisible = h < kMainContentHeight;
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
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::scrollMain(Qt::Orientation axis, ScrollRequest request, int trackPos) {
    MainLayout& l = state_->mainLayout;
    ScrollAxis& a = axis == Qt::Horizontal ? l.horizontal : l.vertical;
    if (a.scroll(request, trackPos) != 0) {
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
}

// ---- gradation window -----------------------------------------------------------------------

void MainWindow::LayoutBitmapWindow() {
    AppState& s = *state_;
    const QSize work = options_.workArea();
    WindowFrame f;
    if (bitmapWindow_ != nullptr) {
        const QRect frame = bitmapWindow_->frameGeometry();
        const QRect inner = bitmapWindow_->geometry();
        f.extraWidth = frame.width() - inner.width();
        f.extraHeight = frame.height() - inner.height();
        f.scrollBarHeight = bitmapWindow_->horizontalBar()->sizeHint().height();
        f.scrollBarWidth = bitmapWindow_->verticalBar()->sizeHint().width();
    }
    const QRect main = frameGeometry();
    s.bitmapLayout =
        layoutBitmapWindow(s.doc.direction, s.doc.length, s.doc.thickness, work.width(),
                           work.height(), {main.x(), main.y(), main.width(), main.height()}, f);
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->applyLayout();
    }
}

void MainWindow::OpenBitmapWindow() {
    if (bitmapWindow_ != nullptr) {
        return;
    }
    AppState& s = *state_;
    bitmapWindow_ = new BitmapWindow(this);
    editorHost_->setBitmapWindowOpen(true);
    s.settings.bitmapWindowOpen = 1;
    LayoutBitmapWindow();
    {
        std::lock_guard lock(s.bufferMutex);
        DrawBitmapFrame(s);
        RenderIntoBitmapWindow(s);
    }
    showBitmapWindowInPlace();
    syncMenuChecks();
}

void MainWindow::showBitmapWindowInPlace() {
    if (bitmapWindow_ == nullptr) {
        return;
    }
    // Without taking the focus, and where it was in the stacking order: on top of everything
    // when topmost, else right behind this window (a window shown again comes up on top here).
    bitmapWindow_->setAttribute(Qt::WA_ShowWithoutActivating);
    bitmapWindow_->show();
    if (state_->settings.bitmapWindowTopmost == 0) {
        raise();
    }
}

void MainWindow::CloseBitmapWindow() {
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->close();
    }
}

void MainWindow::bitmapWindowClosed() {
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->deleteLater();
        bitmapWindow_ = nullptr;
    }
    if (editorHost_ != nullptr) {
        editorHost_->setBitmapWindowOpen(false);
    }
    state_->settings.bitmapWindowOpen = 0;
    syncMenuChecks();
}

QWidget* MainWindow::dialogOwner() {
    if (bitmapWindow_ != nullptr && state_->settings.bitmapWindowTopmost != 0) {
        return bitmapWindow_;
    }
    return this;
}

void MainWindow::setBitmapWindowEnabled(bool enabled) {
    // A window that owns the dialog must stay enabled, or the dialog would be disabled with it.
    if (bitmapWindow_ != nullptr && dialogOwner() != bitmapWindow_) {
        bitmapWindow_->setEnabled(enabled);
    }
}

void MainWindow::raiseMainIfBitmapTopmost() {
    if (bitmapWindow_ != nullptr && state_->settings.bitmapWindowTopmost != 0) {
        raise();
        activateWindow();
    }
}

void MainWindow::hideWindows() {
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->hide();
    }
    hide();
}

void MainWindow::showWindows() {
    show();
    showBitmapWindowInPlace();
}

} // namespace spectrane
