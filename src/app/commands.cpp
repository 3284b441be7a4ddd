// The main window's commands: menu check marks, the synchro boxes, the dialogs and message
// boxes the commands use, and one handler per command id.
#include "app/main_window.h"

#include "app/bitmap_window.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/refresh_document.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "editing/synchro.h"
#include "files/bitmap_file.h"
#include "files/line_data_file.h"
#include "model/gradation_render.h"
#include "toolwindows/tool_window.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"
#include "views/graph_painter.h"

#include <QCheckBox>

namespace spectrane {

namespace {

const char* const kMessageTitle = "メッセージ";

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

// ---- menus, boxes and dialogs ---------------------------------------------------------------

void MainWindow::syncMenuChecks() {
    const AppState& s = *state_;
    setMenuCheck(this, kCmdTitleWindow, s.settings.showTitleWindow != 0);
    setMenuCheck(this, kCmdBitmapWindow, bitmapWindow_ != nullptr);
    setMenuCheck(this, kCmdTopmost, s.settings.bitmapWindowTopmost != 0);
    setMenuCheck(this, kCmdPointPositions, s.settings.showPointPositions != 0);
    setMenuCheck(this, kCmdLoop, s.doc.loop != 0);
    setMenuCheck(this, kCmdCmy, s.doc.cmy != 0);
    setMenuCheck(this, kCmdSynchro, s.doc.synchro != 0);
    if (bitmapWindow_ != nullptr) {
        setMenuCheck(bitmapWindow_, kPopupTopmost, s.settings.bitmapWindowTopmost != 0);
    }
}

void MainWindow::updateSynchroBoxes(bool previous) {
    const GradationDocument& doc = state_->doc;
    const bool on = doc.synchro != 0;
    for (int ch = 0; ch < 3; ++ch) {
        if (on) {
            synchroBoxes_[ch]->setChecked(doc.synchroChannels[ch] != 0);
            if (!previous) {
                synchroBoxes_[ch]->show();
            }
        } else if (previous) {
            synchroBoxes_[ch]->hide();
        }
    }
}

int MainWindow::runTool(std::string_view name) {
    return options_.ui.runToolWindow(dialogOwner(), name);
}

QString MainWindow::chooseFile(FileDialogKind kind) {
    return chooseFileOwned(dialogOwner(), kind);
}

QString MainWindow::chooseFileOwned(QWidget* owner, FileDialogKind kind) {
    AppState& s = *state_;
    const bool bitmap = kind == FileDialogKind::SaveBitmap;
    const bool confirmedBefore = bitmap ? s.bitmapDialogConfirmed : s.lineDataDialogConfirmed;
    std::filesystem::path start = s.lastChosenFolder;
    if (!confirmedBefore) {
        start = bitmap ? s.paths.bitmapFolder : s.paths.lineDataFolder;
        std::error_code ec;
        std::filesystem::create_directories(start, ec);
    }
    QString chosen = options_.ui.chooseFile(owner, kind, QString::fromStdString(start.string()));
    if (!chosen.isEmpty()) {
        s.lastChosenFolder = std::filesystem::path(chosen.toStdString()).parent_path();
        (bitmap ? s.bitmapDialogConfirmed : s.lineDataDialogConfirmed) = true;
    }
    return chosen;
}

QMessageBox::StandardButton MainWindow::message(QWidget* owner, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons) {
    return options_.ui.messageBox(owner, icon, title, text, buttons);
}

void MainWindow::requestMessageBox(const QString& body) {
    setBitmapWindowEnabled(false);
    message(dialogOwner(), QMessageBox::NoIcon, text(kMessageTitle), body);
    setBitmapWindowEnabled(true);
}

// ---- commands -------------------------------------------------------------------------------

void MainWindow::dispatchCommand(int id) {
    waitForWorkerIdle();
    switch (id) {
    case kCmdNew:
        commandNew();
        break;
    case kCmdOpen:
        commandOpen();
        break;
    case kCmdSave:
        commandSave();
        break;
    case kCmdSaveBitmap:
        commandSaveBitmap(nullptr);
        break;
    case kCmdExit:
        commandExit();
        break;
    case kCmdLength:
        commandLength();
        break;
    case kCmdDirection:
        commandDirection();
        break;
    case kCmdTitleWindow:
        state_->settings.showTitleWindow ^= 1;
        break;
    case kCmdBitmapWindow:
        commandBitmapWindow();
        break;
    case kCmdTopmost:
        commandTopmost();
        break;
    case kCmdPointPositions:
        state_->settings.showPointPositions ^= 1;
        break;
    case kCmdLoop:
        commandLoop();
        break;
    case kCmdCmy:
        commandCmy();
        break;
    case kCmdSynchro:
        commandSynchro();
        break;
    case kCmdAbout:
        commandAbout();
        break;
    case 1000:
    case 1001:
    case 1002:
        synchroBoxClicked(id - 1000);
        break;
    default:
        break;
    }
    // Qt flips a checkable item by itself when it is chosen; the flags decide.
    syncMenuChecks();
}

void MainWindow::dispatchBitmapPopup(int id) {
    waitForWorkerIdle();
    if (bitmapWindow_ == nullptr) {
        return;
    }
    switch (id) {
    case kPopupSaveBitmap:
        commandSaveBitmap(bitmapWindow_);
        break;
    case kPopupLength:
    case kPopupDirection: {
        AppState& s = *state_;
        const int oldLength = s.doc.length;
        setEnabled(false);
        const int result = options_.ui.runToolWindow(
            bitmapWindow_, id == kPopupLength ? "SettingLengthWnd" : "SettingWnd");
        setEnabled(true);
        if (result != kToolOk) {
            break;
        }
        if (id == kPopupLength) {
            applyLengthChange(oldLength);
        } else {
            applyDirectionChange();
        }
        break;
    }
    case kPopupTopmost:
        commandTopmost();
        break;
    default:
        break;
    }
    syncMenuChecks();
}

int MainWindow::runToolStep(std::string_view name) {
    setBitmapWindowEnabled(false);
    const int result = runTool(name);
    setBitmapWindowEnabled(true);
    raiseMainIfBitmapTopmost();
    return result;
}

void MainWindow::commandNew() {
    AppState& s = *state_;
    if (runToolStep("Shinki_Wnd") != kToolOk) {
        return;
    }
    hideWindows();
    const bool previous = s.doc.synchro != 0;
    s.doc.synchro = 0;
    s.doc.synchroChannels = {0, 0, 0};
    updateSynchroBoxes(previous);
    s.doc.thickness = 192;
    LayoutMainWindow();
    LayoutBitmapWindow();
    s.doc.currentChannel = 0;
    RefreshDocument(s, RefreshMode::Generating);
    showWindows();
}

void MainWindow::commandOpen() {
    AppState& s = *state_;
    const bool previous = s.doc.synchro != 0;
    setBitmapWindowEnabled(false);
    const QString file = chooseFile(FileDialogKind::OpenLineData);
    setBitmapWindowEnabled(true);
    raiseMainIfBitmapTopmost();
    if (file.isEmpty()) {
        return;
    }
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->hide();
    }
    const LineDataReadResult read = readLineDataFile(file.toStdString());
    if (!read) {
        requestMessageBox(QString::fromUtf8(read.status.message.c_str()));
    } else {
        if (!read.warning.empty()) {
            requestMessageBox(QString::fromUtf8(read.warning.c_str()));
        }
        copyLineData(s.doc, *read.document);
        LayoutMainWindow();
        updateSynchroBoxes(previous);
        LayoutBitmapWindow();
        ChooseChannelColors(s.colors, s.doc.cmy != 0);
        s.doc.currentChannel = 0;
        RefreshDocument(s, RefreshMode::Evaluating);
        invalidate();
    }
    showBitmapWindowInPlace();
}

void MainWindow::commandSave() {
    setBitmapWindowEnabled(false);
    const QString file = chooseFile(FileDialogKind::SaveLineData);
    setBitmapWindowEnabled(true);
    raiseMainIfBitmapTopmost();
    if (file.isEmpty()) {
        return;
    }
    const FileResult written = writeLineDataFile(file.toStdString(), state_->doc);
    requestMessageBox(QString::fromUtf8(written ? kLineDataSavedMessage : written.message.c_str()));
}

void MainWindow::commandSaveBitmap(QWidget* popupOwner) {
    AppState& s = *state_;
    // From the gradation window's popup the gradation window owns every dialog and the main
    // window is disabled instead.
    QWidget* owner = popupOwner != nullptr ? popupOwner : dialogOwner();
    auto enableOthers = [&](bool enabled) {
        if (popupOwner != nullptr) {
            setEnabled(enabled);
        } else {
            setBitmapWindowEnabled(enabled);
        }
    };
    enableOthers(false);
    const int result = options_.ui.runToolWindow(owner, "SaveBitMapWnd");
    QString file;
    if (result == kToolOk) {
        file = chooseFileOwned(owner, FileDialogKind::SaveBitmap);
    }
    enableOthers(true);
    if (popupOwner == nullptr) {
        raiseMainIfBitmapTopmost();
    }
    if (file.isEmpty()) {
        return;
    }
    const WriteResult written =
        writeGradationBitmap(file.toStdString(), s.doc, s.settings.saveWidth);
    if (written) {
        message(owner, QMessageBox::NoIcon, QStringLiteral("Message"),
                text("ビットマップを保存しました。"));
    } else {
        message(owner, QMessageBox::Warning, QStringLiteral("Message"),
                text(kFileOpenFailedMessage));
    }
}

void MainWindow::commandExit() {
    if (message(this, QMessageBox::Question, text("終了確認"), text("終了してよろしいですか？"),
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        close();
    }
}

void MainWindow::commandLength() {
    const int oldLength = state_->doc.length;
    if (runToolStep("SettingLengthWnd") == kToolOk) {
        applyLengthChange(oldLength);
    }
}

void MainWindow::applyLengthChange(int oldLength) {
    AppState& s = *state_;
    hideWindows();
    ChangeLength(s.doc, s.doc.length, oldLength, s.settings.lengthChangeMethod, s.doc.loop);
    LayoutMainWindow();
    LayoutBitmapWindow();
    RefreshDocument(s, RefreshMode::Evaluating);
    showWindows();
}

void MainWindow::commandDirection() {
    if (runToolStep("SettingWnd") == kToolOk) {
        applyDirectionChange();
    }
}

void MainWindow::applyDirectionChange() {
    AppState& s = *state_;
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->hide();
    }
    repaint();
    LayoutBitmapWindow();
    {
        std::lock_guard lock(s.bufferMutex);
        DrawBitmapFrame(s);
        RenderIntoBitmapWindow(s);
    }
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->show();
    }
}

void MainWindow::commandBitmapWindow() {
    if (bitmapWindow_ != nullptr) {
        CloseBitmapWindow();
    } else {
        OpenBitmapWindow();
    }
}

void MainWindow::commandTopmost() {
    AppState& s = *state_;
    s.settings.bitmapWindowTopmost ^= 1;
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->setTopmost(s.settings.bitmapWindowTopmost != 0);
    }
}

void MainWindow::commandLoop() {
    AppState& s = *state_;
    const int previous = s.doc.loop;
    if (runToolStep("LoopOnOffWnd") != kToolOk || s.doc.loop == previous) {
        return;
    }
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->hide();
    }
    if (s.doc.loop == 0) {
        convertLoopOff(s.doc); // reads the looped curve still in the ColorLine
    }
    RefreshDocument(s, RefreshMode::Evaluating);
    invalidate();
    showBitmapWindowInPlace();
}

void MainWindow::commandCmy() {
    AppState& s = *state_;
    const int previous = s.doc.cmy;
    if (runToolStep("UseCMY_Wnd") != kToolOk || s.doc.cmy == previous) {
        return;
    }
    hideWindows();
    {
        std::lock_guard lock(s.bufferMutex);
        const bool cmy = s.doc.cmy != 0;
        DrawMainFrame(s.buffers, s.doc.length, cmy, *s.text);
        ChooseChannelColors(s.colors, cmy);
        RebuildChannelLayers(s.buffers, s.doc, s.colors);
        paintColorBars(s.buffers.mainBuffer, s.doc.colorLine, -1, 0, s.doc.length - 1, cmy);
        RenderIntoBitmapWindow(s);
        ComposeGraph(s.buffers, s.doc, s.colors, s.doc.currentChannel);
        s.edit.hoveredPoint = -1; // the recomposed plot has no ring
    }
    showWindows();
}

void MainWindow::commandSynchro() {
    AppState& s = *state_;
    const bool previous = s.doc.synchro != 0;
    if (runToolStep("SyncroModeWnd") != kToolOk) {
        return;
    }
    updateSynchroBoxes(previous);
    // The ring's saved pixels would be stale once the plot is redrawn.
    DropHoverRing(*editor_);
    ResyncSynchro(*editor_);
    invalidate();
    if (bitmapWindow_ != nullptr) {
        bitmapWindow_->picture()->update();
    }
}

void MainWindow::synchroBoxClicked(int ch) {
    state_->doc.synchroChannels[ch] = synchroBoxes_[ch]->isChecked() ? 1 : 0;
    DropHoverRing(*editor_);
    if (ResyncSynchro(*editor_)) {
        invalidate();
        if (bitmapWindow_ != nullptr) {
            bitmapWindow_->picture()->update();
        }
    }
}

void MainWindow::commandAbout() {
    setBitmapWindowEnabled(false);
    message(dialogOwner(), QMessageBox::Information, QStringLiteral("Version Info."),
            QStringLiteral("Spectrane\nversion " SPECTRANE_VERSION));
    raise();
    setBitmapWindowEnabled(true);
}

} // namespace spectrane
