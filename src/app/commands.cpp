// The main window's commands: the menu table with one handler per item, the handlers, the menu
// check marks and the synchro boxes.
#include "app/main_window.h"

#include "app/analysis_window.h"
#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/point_table_window.h"
#include "app/refresh_document.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "editing/synchro.h"
#include "exchange/color_table_export.h"
#include "exchange/exchange_format.h"
#include "exchange/gradient_import.h"
#include "files/gradation_picture.h"
#include "files/line_data_file.h"
#include "qtsupport/shown_text.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"

#include <QCheckBox>
#include <QDir>
#include <QMenuBar>

namespace spectrane {

namespace {

using Row = MainWindow::MenuRow;

// The names of the undo steps the commands make.
constexpr const char* kStepNew = QT_TRANSLATE_NOOP("spectrane::MainWindow", "新規作成");
constexpr const char* kStepOpen = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ファイルを開く");
constexpr const char* kStepImport = QT_TRANSLATE_NOOP("spectrane::MainWindow", "インポート");
constexpr const char* kStepLength = QT_TRANSLATE_NOOP("spectrane::MainWindow", "長さの変更");
constexpr const char* kStepDirection = QT_TRANSLATE_NOOP("spectrane::MainWindow", "方向の変更");
constexpr const char* kStepLoop = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ループの変更");
constexpr const char* kStepCmy = QT_TRANSLATE_NOOP("spectrane::MainWindow", "CMYモードの変更");
constexpr const char* kStepSynchro = QT_TRANSLATE_NOOP("spectrane::MainWindow", "シンクロの変更");
constexpr const char* kStepDrag = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイントの移動");

constexpr Row kFileMenu[] = {
    {kCmdNew, QT_TRANSLATE_NOOP("spectrane::MainWindow", "新規作成(&N)"), false,
     &MainWindow::commandNew, kStepNew, "Ctrl+N"},
    {kCmdOpen, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ラインデータ・ファイルを開く(&O)"),
     false, &MainWindow::commandOpen, kStepOpen, "Ctrl+O"},
    {kCmdSave, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ラインデータの保存(&S)"), false,
     &MainWindow::commandSave, nullptr, "Ctrl+S"},
    {0, "", false, nullptr},
    {kCmdSaveBitmap, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ画像として保存(&B)"),
     false, &MainWindow::commandSaveBitmap},
    {kCmdExport, QT_TRANSLATE_NOOP("spectrane::MainWindow", "エクスポート(&E)..."), false,
     &MainWindow::commandExport},
    {kCmdImport, QT_TRANSLATE_NOOP("spectrane::MainWindow", "インポート(&I)..."), false,
     &MainWindow::commandImport, kStepImport},
    {0, "", false, nullptr},
    {kCmdExit, QT_TRANSLATE_NOOP("spectrane::MainWindow", "終了(&X)"), false,
     &MainWindow::commandExit, nullptr, "Ctrl+Q"},
};
constexpr Row kEditMenu[] = {
    {kCmdUndo, QT_TRANSLATE_NOOP("spectrane::MainWindow", "元に戻す(&U)"), false,
     &MainWindow::commandUndo, nullptr, "Ctrl+Z"},
    {kCmdRedo, QT_TRANSLATE_NOOP("spectrane::MainWindow", "やり直し(&R)"), false,
     &MainWindow::commandRedo, nullptr, "Ctrl+Y; Ctrl+Shift+Z"},
    {0, "", false, nullptr},
    {kCmdLength, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションの長さの変更(&L)"),
     false, &MainWindow::commandLength, kStepLength},
    {kCmdDirection, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションの方向の変更(&D)"),
     false, &MainWindow::commandDirection, kStepDirection},
};
constexpr Row kViewMenu[] = {
    {kCmdTitleWindow, QT_TRANSLATE_NOOP("spectrane::MainWindow", "タイトルウインドウの表示(&T)"),
     true, &MainWindow::commandTitleWindow},
    {kCmdBitmapWindow,
     QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ・ウインドウの表示(&B)"), true,
     &MainWindow::commandBitmapWindow},
    {kCmdTopmost,
     QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ・ウインドウを常に最前面にする(&W)"),
     true, &MainWindow::commandTopmost},
    {0, "", false, nullptr},
    {kCmdAnalysisWindow, QT_TRANSLATE_NOOP("spectrane::MainWindow", "解析ウインドウの表示(&A)"),
     true, &MainWindow::commandAnalysisWindow},
    {kCmdPointTable, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイント表の表示(&P)"), true,
     &MainWindow::commandPointTable},
};
constexpr Row kSettingsMenu[] = {
    {kCmdPointPositions, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイント位置の表示(&P)"), true,
     &MainWindow::commandPointPositions},
    {kCmdLoop, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションのループ(&L)"), true,
     &MainWindow::commandLoop, kStepLoop},
    {kCmdCmy, QT_TRANSLATE_NOOP("spectrane::MainWindow", "CMY (減法混合) モード(&C)"), true,
     &MainWindow::commandCmy, kStepCmy},
    {kCmdSynchro, QT_TRANSLATE_NOOP("spectrane::MainWindow", "シンクロ・モード(&S)"), true,
     &MainWindow::commandSynchro, kStepSynchro},
};
constexpr Row kHelpMenu[] = {
    {kCmdKeyboardHelp, QT_TRANSLATE_NOOP("spectrane::MainWindow", "キーボード操作(&K)..."), false,
     &MainWindow::commandKeyboardHelp},
    {kCmdAbout, QT_TRANSLATE_NOOP("spectrane::MainWindow", "バージョン情報(&A)"), false,
     &MainWindow::commandAbout},
};
constexpr MainWindow::MenuColumn kMainMenu[] = {
    {QT_TRANSLATE_NOOP("spectrane::MainWindow", "ファイル(&F)"), kFileMenu},
    {QT_TRANSLATE_NOOP("spectrane::MainWindow", "編集(&E)"), kEditMenu},
    {QT_TRANSLATE_NOOP("spectrane::MainWindow", "表示(&V)"), kViewMenu},
    {QT_TRANSLATE_NOOP("spectrane::MainWindow", "設定(&S)"), kSettingsMenu},
    {QT_TRANSLATE_NOOP("spectrane::MainWindow", "ヘルプ(&H)"), kHelpMenu},
};

// The gradation window's popup items that do something.
struct PopupRow {
    int id;
    void (MainWindow::*run)();
    const char* step;
};
constexpr PopupRow kBitmapPopup[] = {
    {kPopupSaveBitmap, &MainWindow::popupSaveBitmap, nullptr},
    {kPopupLength, &MainWindow::popupLength, kStepLength},
    {kPopupDirection, &MainWindow::popupDirection, kStepDirection},
    {kPopupTopmost, &MainWindow::commandTopmost, nullptr},
};

// The undo step of each item of the editor's popup menu.
const char* editorPopupStep(int command) {
    switch (command) {
    case kPopupInsertPoint:
        return QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイントの挿入");
    case kPopupDeletePoint:
        return QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイントの削除");
    case kPopupSetPosition:
        return QT_TRANSLATE_NOOP("spectrane::MainWindow", "位置のセット");
    default:
        return nullptr;
    }
}

// What an import made: the dots, each channel's points and largest error, and a warning for a
// channel whose points could not reach the tolerance.
QString importSummary(const ImportResult& imported, int length) {
    static constexpr const char* kNames[] = {"R", "G", "B"};
    QString summary = MainWindow::tr("インポートしました: %1 ドット").arg(length);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelFit& f = imported.channels[ch];
        summary += MainWindow::tr("\n%1: %2 ポイント、最大誤差 %3")
                       .arg(QString::fromLatin1(kNames[ch]))
                       .arg(f.points)
                       .arg(f.maxError);
        if (!f.reached) {
            summary += MainWindow::tr(" (許容誤差に届きません)");
        }
    }
    // The import lays partly transparent colours over white: say so, and how many there were.
    if (imported.partlyTransparent > 0) {
        summary += imported.pixels
                       ? MainWindow::tr("\n半透明のピクセル %1 個を白の背景に重ねました")
                             .arg(imported.partlyTransparent)
                       : MainWindow::tr("\n半透明の色指定点 %1 個を白の背景に重ねました")
                             .arg(imported.partlyTransparent);
    }
    return summary;
}

} // namespace

// ---- the menu table -------------------------------------------------------------------------

void MainWindow::buildMenus() {
    for (const MenuColumn& column : kMainMenu) {
        QMenu* menu = menuBar()->addMenu(tr(column.title));
        for (const MenuRow& row : column.rows) {
            QAction* action = addMenuItem(menu, row.id, tr(row.text), row.checkable);
            if (row.shortcut != nullptr) {
                action->setShortcuts(
                    QKeySequence::listFromString(QString::fromLatin1(row.shortcut)));
                // The user works in the gradation and analysis windows too; a modal tool window
                // or dialog still blocks them, as it blocks the main window, and so does an open
                // popup menu (see eventFilter).
                action->setShortcutContext(Qt::ApplicationShortcut);
                action->installEventFilter(this);
            }
            if (row.run != nullptr) {
                connect(action, &QAction::triggered, this,
                        [this, run = row.run, step = row.step] { runCommand(run, step); });
            }
        }
    }
}

void MainWindow::runCommand(void (MainWindow::*handler)(), const char* step) {
    waitForWorkerIdle();
    (this->*handler)();
    recordStep(step);
    syncMenuChecks();
}

void MainWindow::recordStep(const char* step) {
    endKeyRun(); // any other change or command ends a run of key moves
    if (step != nullptr) {
        state_->history.record(step, state_->doc);
    }
    syncUndoItems();
    documentChanged();
}

void MainWindow::dragEnded() {
    dragToRecord_ = true;
    workerJobEnded();
}

void MainWindow::workerJobEnded() {
    // The step of a drag is recorded once, when its last job has ended.
    if (dragToRecord_ && !state_->edit.dragging && !worker_->busy()) {
        dragToRecord_ = false;
        recordStep(kStepDrag);
    }
}

void MainWindow::recordEditorPopupStep(int command) {
    recordStep(editorPopupStep(command));
}

void MainWindow::syncUndoItems() {
    const History& h = state_->history;
    // The history keeps the steps' source texts; they are shown translated.
    const auto sync = [this](int id, const QString& plain, const QString& named,
                             const std::string& step) {
        if (QAction* action = findCommandAction(this, id)) {
            action->setEnabled(!step.empty());
            action->setText(step.empty() ? plain : named.arg(tr(step.c_str())));
        }
    };
    sync(kCmdUndo, tr("元に戻す(&U)"), tr("元に戻す: %1(&U)"), h.undoLabel());
    sync(kCmdRedo, tr("やり直し(&R)"), tr("やり直し: %1(&R)"), h.redoLabel());
}

void MainWindow::dispatchCommand(int id) {
    for (const MenuColumn& column : kMainMenu) {
        for (const MenuRow& row : column.rows) {
            if (row.id == id && row.run != nullptr) {
                runCommand(row.run, row.step);
                return;
            }
        }
    }
}

void MainWindow::dispatchBitmapPopup(int id) {
    if (!gradation_->isOpen()) {
        return;
    }
    for (const PopupRow& row : kBitmapPopup) {
        if (row.id == id) {
            runCommand(row.run, row.step);
            return;
        }
    }
}

void MainWindow::syncMenuChecks() {
    const AppState& s = *state_;
    setMenuCheck(this, kCmdTitleWindow, s.settings.showTitleWindow);
    setMenuCheck(this, kCmdBitmapWindow, gradation_->isOpen());
    setMenuCheck(this, kCmdTopmost, s.settings.bitmapWindowTopmost);
    setMenuCheck(this, kCmdPointPositions, s.settings.showPointPositions);
    setMenuCheck(this, kCmdLoop, s.doc.loop);
    setMenuCheck(this, kCmdCmy, s.doc.cmy);
    setMenuCheck(this, kCmdSynchro, s.doc.synchro);
    setMenuCheck(this, kCmdAnalysisWindow, analysis_ != nullptr && analysis_->isVisible());
    setMenuCheck(this, kCmdPointTable, pointTable_ != nullptr && pointTable_->isVisible());
    if (gradation_->isOpen()) {
        setMenuCheck(gradation_->window(), kPopupTopmost, s.settings.bitmapWindowTopmost);
    }
}

void MainWindow::updateSynchroBoxes(bool previous) {
    const GradationDocument& doc = state_->doc;
    for (int ch = 0; ch < 3; ++ch) {
        if (doc.synchro) {
            synchroBoxes_[ch]->setChecked(doc.synchroChannels[ch]);
            if (!previous) {
                synchroBoxes_[ch]->show();
            }
        } else if (previous) {
            synchroBoxes_[ch]->hide();
        }
    }
}

void MainWindow::synchroBoxClicked(int ch) {
    state_->doc.synchroChannels[ch] = synchroBoxes_[ch]->isChecked();
    DropHoverRing(*editor_);
    if (ResyncSynchro(*editor_)) {
        invalidate();
        gradation_->invalidate();
    }
    recordStep(kStepSynchro);
}

// ---- File -----------------------------------------------------------------------------------

void MainWindow::commandNew() {
    AppState& s = *state_;
    if (dialogs_->runToolWindow(ToolWindowKind::NewGradation) != kToolOk) {
        return;
    }
    hideWindows();
    const bool previous = s.doc.synchro;
    s.doc.synchro = false;
    s.doc.synchroChannels = {};
    updateSynchroBoxes(previous);
    makeNewDocument();
    showWindows();
}

void MainWindow::commandOpen() {
    const QString file = dialogs_->chooseFile(FileDialogKind::OpenLineData);
    if (file.isEmpty()) {
        return;
    }
    gradation_->hide();
    const LineDataReadResult read = readLineDataFile(file.toStdString());
    if (!read) {
        dialogs_->requestMessageBox(shownText(read.status.message));
    } else {
        if (!read.warning.empty()) {
            dialogs_->requestMessageBox(shownText(read.warning));
        }
        showReadDocument(*read.document);
    }
    gradation_->showInPlace();
}

void MainWindow::showReadDocument(const GradationDocument& read) {
    AppState& s = *state_;
    const bool previous = s.doc.synchro;
    copyLineData(s.doc, read);
    LayoutMainWindow();
    updateSynchroBoxes(previous);
    gradation_->LayoutBitmapWindow();
    ChooseChannelColors(s.colors, s.doc.cmy);
    RefreshDocument(s, RefreshMode::Evaluating);
    invalidate();
}

void MainWindow::commandSave() {
    const QString file = dialogs_->chooseFile(FileDialogKind::SaveLineData);
    if (file.isEmpty()) {
        return;
    }
    const FileResult written = writeLineDataFile(file.toStdString(), state_->doc);
    dialogs_->requestMessageBox(written ? shownText(kLineDataSavedMessage) : failureText(written));
}

void MainWindow::commandSaveBitmap() {
    saveBitmapOwnedBy(nullptr);
}

void MainWindow::popupSaveBitmap() {
    saveBitmapOwnedBy(gradation_->window());
}

void MainWindow::saveBitmapOwnedBy(QWidget* popupOwner) {
    AppState& s = *state_;
    // From the gradation window's popup the gradation window owns every dialog and the main
    // window is disabled instead.
    QWidget* owner = popupOwner != nullptr ? popupOwner : dialogs_->owner();
    const auto enableOthers = [&](bool enabled) {
        if (popupOwner != nullptr) {
            setEnabled(enabled);
        } else {
            dialogs_->setGradationWindowEnabled(enabled);
        }
    };
    enableOthers(false);
    QString file;
    if (options_.ui.runToolWindow(owner, ToolWindowKind::SaveBitmap) == kToolOk) {
        file = dialogs_->chooseFileOwnedBy(owner, FileDialogKind::SaveBitmap);
    }
    enableOthers(true);
    if (popupOwner == nullptr) {
        dialogs_->raiseMainIfGradationTopmost();
    }
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = file.toStdString();
    const FileResult written =
        writeGradationPicture(path, s.doc, s.settings.saveWidth, pictureFormatFor(path));
    dialogs_->message(owner, written ? QMessageBox::NoIcon : QMessageBox::Warning,
                      QStringLiteral("Message"),
                      written ? tr("ビットマップを保存しました。") : failureText(written));
}

void MainWindow::commandExport() {
    const QString file = dialogs_->chooseFile(FileDialogKind::ExportColorTable);
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = file.toStdString();
    const auto format = formatOfExtension(path);
    FileResult written = FileResult::failure("not a colour-table format: " + path.string());
    if (format && formatInfo(*format).colorTable) {
        // Exact: every dot comes back as it is, in the fewest stops. The gradient is named after
        // the file.
        written = writeColorTable(path, state_->doc, *format, {0, path.stem().string()});
    }
    // The name may have been given the chosen filter's extension: say which file it is.
    dialogs_->requestMessageBox(
        written ? tr("エクスポートしました: %1").arg(QDir::toNativeSeparators(file))
                : failureText(written));
}

void MainWindow::commandImport() {
    AppState& s = *state_;
    const QString file = dialogs_->chooseFile(FileDialogKind::Import);
    if (file.isEmpty()) {
        return;
    }
    // The input's own number of samples, curves within one level of every one.
    const ImportResult imported = importGradientFile(file.toStdString(), {});
    if (imported.lineData) {
        dialogs_->requestMessageBox(tr("このファイルはRGBラインデータ・ファイルです。インポートでは"
                                       "なく「開く」で読み込んでください。"));
        return;
    }
    if (!imported) {
        dialogs_->requestMessageBox(tr("インポートできませんでした。\n") +
                                    shownText(imported.error));
        return;
    }
    gradation_->hide();
    showReadDocument(*imported.document);
    gradation_->showInPlace();
    dialogs_->requestMessageBox(importSummary(imported, s.doc.length));
}

void MainWindow::commandExit() {
    if (dialogs_->message(this, QMessageBox::Question, tr("終了確認"),
                          tr("終了してよろしいですか？"),
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        close();
    }
}

// ---- Edit -----------------------------------------------------------------------------------

void MainWindow::commandLength() {
    const int oldLength = state_->doc.length;
    if (dialogs_->runToolWindow(ToolWindowKind::Length) == kToolOk) {
        applyLengthChange(oldLength);
    }
}

void MainWindow::popupLength() {
    const int oldLength = state_->doc.length;
    if (dialogs_->runToolWindowOwnedBy(gradation_->window(), this, ToolWindowKind::Length) ==
        kToolOk) {
        applyLengthChange(oldLength);
    }
}

void MainWindow::applyLengthChange(int oldLength) {
    AppState& s = *state_;
    // The window has written the new length; the transform moves the points to it.
    const LengthChange change{s.doc.length, oldLength,
                              static_cast<LengthChangeMethod>(s.settings.lengthChangeMethod)};
    s.doc.length = oldLength;
    if (!ChangeLength(s.doc, change)) {
        dialogs_->requestMessageBox(shownText(kLengthChangeFailedMessage));
        return;
    }
    hideWindows();
    LayoutMainWindow();
    gradation_->LayoutBitmapWindow();
    RefreshDocument(s, RefreshMode::Evaluating);
    showWindows();
}

void MainWindow::commandDirection() {
    if (dialogs_->runToolWindow(ToolWindowKind::Direction) == kToolOk) {
        applyDirectionChange();
    }
}

void MainWindow::popupDirection() {
    if (dialogs_->runToolWindowOwnedBy(gradation_->window(), this, ToolWindowKind::Direction) ==
        kToolOk) {
        applyDirectionChange();
    }
}

void MainWindow::applyDirectionChange() {
    gradation_->hide();
    repaint();
    gradation_->LayoutBitmapWindow();
    gradation_->redraw();
    if (gradation_->isOpen()) {
        gradation_->window()->show();
    }
}

// ---- View -----------------------------------------------------------------------------------

void MainWindow::commandTitleWindow() {
    state_->settings.showTitleWindow = !state_->settings.showTitleWindow;
}

void MainWindow::commandBitmapWindow() {
    if (gradation_->isOpen()) {
        gradation_->CloseBitmapWindow();
    } else {
        gradation_->OpenBitmapWindow();
    }
}

void MainWindow::commandAnalysisWindow() {
    setAnalysisWindowOpen(analysis_ == nullptr || !analysis_->isVisible());
}

void MainWindow::setAnalysisWindowOpen(bool open) {
    if (!open) {
        if (analysis_ != nullptr) {
            analysis_->hide();
        }
        setMenuCheck(this, kCmdAnalysisWindow, false);
        return;
    }
    if (analysis_ == nullptr) {
        analysis_ = std::make_unique<AnalysisWindow>(
            this, *state_, [this] { setMenuCheck(this, kCmdAnalysisWindow, false); });
    }
    analysis_->refresh();
    analysis_->show();
    placeAnalysisWindow();
    analysis_->raise();
    setMenuCheck(this, kCmdAnalysisWindow, true);
}

void MainWindow::commandTopmost() {
    AppState& s = *state_;
    s.settings.bitmapWindowTopmost = !s.settings.bitmapWindowTopmost;
    gradation_->setTopmost(s.settings.bitmapWindowTopmost);
}

// ---- Settings -------------------------------------------------------------------------------

void MainWindow::commandPointPositions() {
    state_->settings.showPointPositions = !state_->settings.showPointPositions;
}

void MainWindow::commandLoop() {
    AppState& s = *state_;
    const bool previous = s.doc.loop;
    if (dialogs_->runToolWindow(ToolWindowKind::Loop) != kToolOk || s.doc.loop == previous) {
        return;
    }
    // Switching off reads the looped curve still in the ColorLine.
    if (!s.doc.loop && !convertLoopOff(s.doc)) {
        s.doc.loop = true;
        dialogs_->requestMessageBox(shownText(kLoopChangeFailedMessage));
        return;
    }
    gradation_->hide();
    RefreshDocument(s, RefreshMode::Evaluating);
    invalidate();
    gradation_->showInPlace();
}

void MainWindow::commandCmy() {
    AppState& s = *state_;
    const bool previous = s.doc.cmy;
    if (dialogs_->runToolWindow(ToolWindowKind::Cmy) != kToolOk || s.doc.cmy == previous) {
        return;
    }
    hideWindows();
    RefreshColors(s);
    showWindows();
}

void MainWindow::commandSynchro() {
    const bool previous = state_->doc.synchro;
    if (dialogs_->runToolWindow(ToolWindowKind::Synchro) != kToolOk) {
        return;
    }
    updateSynchroBoxes(previous);
    // The ring's saved pixels would be stale once the plot is redrawn.
    DropHoverRing(*editor_);
    ResyncSynchro(*editor_);
    invalidate();
    gradation_->invalidate();
}

// ---- Undo -----------------------------------------------------------------------------------

void MainWindow::commandUndo() {
    // A drag holds the mouse: undo waits until it is over.
    const GradationSettings previous = state_->doc.settings();
    if (!state_->edit.dragging && state_->history.undo(state_->doc)) {
        showRestoredDocument(previous);
    }
}

void MainWindow::commandRedo() {
    const GradationSettings previous = state_->doc.settings();
    if (!state_->edit.dragging && state_->history.redo(state_->doc)) {
        showRestoredDocument(previous);
    }
}

void MainWindow::showRestoredDocument(const GradationSettings& previous) {
    AppState& s = *state_;
    if (s.doc.length != previous.length) {
        LayoutMainWindow();
    }
    updateSynchroBoxes(previous.synchro);
    if (s.doc.length != previous.length || s.doc.direction != previous.direction) {
        gradation_->LayoutBitmapWindow();
    }
    ChooseChannelColors(s.colors, s.doc.cmy);
    RefreshDocument(s, RefreshMode::Evaluating);
    invalidate();
    gradation_->invalidate();
}

// ---- Help -----------------------------------------------------------------------------------

void MainWindow::commandAbout() {
    dialogs_->setGradationWindowEnabled(false);
    dialogs_->message(dialogs_->owner(), QMessageBox::Information, QStringLiteral("Version Info."),
                      QStringLiteral("Spectrane\nversion " SPECTRANE_VERSION));
    // The main window comes to the front as the active window, even from under a gradation
    // window that stays on top.
    raise();
    activateWindow();
    dialogs_->setGradationWindowEnabled(true);
}

} // namespace spectrane
