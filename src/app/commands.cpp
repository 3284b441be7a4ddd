// The commands' handlers: what each item of the main menu and of the gradation window's popup
// does to the program's state, through the dialogs and the windows around the plot.
#include "app/commands.h"

#include "app/app_state.h"
#include "app/bitmap_window.h"
#include "app/dialog_runner.h"
#include "app/gradation_window_controller.h"
#include "app/main_window.h"
#include "app/refresh_document.h"
#include "exchange/color_table_export.h"
#include "exchange/exchange_format.h"
#include "exchange/gradient_import.h"
#include "files/gradation_picture.h"
#include "files/line_data_file.h"
#include "model/color_mode.h"
#include "qtsupport/shown_text.h"
#include "transforms/equalize.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"
#include "transforms/mode_change.h"
#include "views/channel_colors.h"

#include <QDir>

namespace spectrane {

namespace {

// What an import made: the dots, each channel's points and largest error, and a warning for a
// channel whose points could not reach the tolerance.
QString importSummary(const ImportResult& imported, int length, ColorMode mode) {
    QString summary = MainWindow::tr("インポートしました: %1 ドット").arg(length);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelFit& f = imported.channels[ch];
        summary += MainWindow::tr("\n%1: %2 ポイント、最大誤差 %3")
                       .arg(QString::fromLatin1(channelName(mode, ch)))
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

Commands::Commands(Services services) : s_(services) {}
Commands::~Commands() = default;

// ---- File -----------------------------------------------------------------------------------

void Commands::commandNew() {
    AppState& s = s_.state;
    if (s_.dialogs.runToolWindow(ToolWindowKind::NewGradation) != kToolOk) {
        return;
    }
    s_.shell.hideWindows();
    const bool previous = s.doc.synchro;
    s.doc.synchro = false;
    s.doc.synchroChannels = {};
    s_.shell.updateSynchroBoxes(previous);
    s_.shell.makeNewDocument();
    s_.shell.showWindows();
}

void Commands::commandOpen() {
    const QString file = s_.dialogs.chooseFile(FileDialogKind::OpenLineData);
    if (file.isEmpty()) {
        return;
    }
    s_.gradation.hide();
    const LineDataReadResult read = readLineDataFile(file.toStdString());
    if (!read) {
        s_.dialogs.requestMessageBox(shownText(read.status.message));
    } else {
        if (!read.warning.empty()) {
            s_.dialogs.requestMessageBox(shownText(read.warning));
        }
        showReadDocument(*read.document);
    }
    s_.gradation.showInPlace();
}

void Commands::showReadDocument(const GradationDocument& read) {
    AppState& s = s_.state;
    const bool previous = s.doc.synchro;
    copyLineData(s.doc, read);
    s_.shell.layoutMain();
    s_.shell.updateSynchroBoxes(previous);
    s_.gradation.LayoutBitmapWindow();
    ChooseChannelColors(s.colors, s.doc.mode);
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.invalidate();
}

void Commands::commandSave() {
    const QString file = s_.dialogs.chooseFile(FileDialogKind::SaveLineData);
    if (file.isEmpty()) {
        return;
    }
    const FileResult written = writeLineDataFile(file.toStdString(), s_.state.doc);
    s_.dialogs.requestMessageBox(written ? shownText(kLineDataSavedMessage) : failureText(written));
}

void Commands::commandSaveBitmap() {
    saveBitmapOwnedBy(nullptr);
}

void Commands::popupSaveBitmap() {
    saveBitmapOwnedBy(s_.gradation.window());
}

void Commands::saveBitmapOwnedBy(QWidget* popupOwner) {
    AppState& s = s_.state;
    // From the gradation window's popup the gradation window owns every dialog and the main
    // window is disabled instead.
    QWidget* owner = popupOwner != nullptr ? popupOwner : s_.dialogs.owner();
    const auto enableOthers = [&](bool enabled) {
        if (popupOwner != nullptr) {
            s_.shell.mainWidget()->setEnabled(enabled);
        } else {
            s_.dialogs.setGradationWindowEnabled(enabled);
        }
    };
    enableOthers(false);
    QString file;
    if (s_.ui.runToolWindow(owner, ToolWindowKind::SaveBitmap) == kToolOk) {
        file = s_.dialogs.chooseFileOwnedBy(owner, FileDialogKind::SaveBitmap);
    }
    enableOthers(true);
    if (popupOwner == nullptr) {
        s_.dialogs.raiseMainIfGradationTopmost();
    }
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = file.toStdString();
    const FileResult written =
        writeGradationPicture(path, s.doc, s.settings.saveWidth, pictureFormatFor(path));
    s_.dialogs.message(
        owner, written ? QMessageBox::NoIcon : QMessageBox::Warning, QStringLiteral("Message"),
        written ? MainWindow::tr("ビットマップを保存しました。") : failureText(written));
}

void Commands::commandExport() {
    const QString file = s_.dialogs.chooseFile(FileDialogKind::ExportColorTable);
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = file.toStdString();
    const auto format = formatOfExtension(path);
    FileResult written = FileResult::failure("not a colour-table format: " + path.string());
    if (format && formatInfo(*format).colorTable) {
        // Exact: every dot comes back as it is, in the fewest stops. The gradient is named after
        // the file.
        written = writeColorTable(path, s_.state.doc, *format, {0, path.stem().string()});
    }
    // The name may have been given the chosen filter's extension: say which file it is.
    s_.dialogs.requestMessageBox(
        written ? MainWindow::tr("エクスポートしました: %1").arg(QDir::toNativeSeparators(file))
                : failureText(written));
}

void Commands::commandImport() {
    AppState& s = s_.state;
    const QString file = s_.dialogs.chooseFile(FileDialogKind::Import);
    if (file.isEmpty()) {
        return;
    }
    // The input's own number of samples, curves within one level of every one.
    ImportOptions options;
    options.mode = s.doc.mode; // into the mode the user works in
    const ImportResult imported = importGradientFile(file.toStdString(), options);
    if (imported.lineData) {
        s_.dialogs.requestMessageBox(
            MainWindow::tr("このファイルはRGBラインデータ・ファイルです。インポートでは"
                           "なく「開く」で読み込んでください。"));
        return;
    }
    if (!imported) {
        s_.dialogs.requestMessageBox(MainWindow::tr("インポートできませんでした。\n") +
                                     shownText(imported.error));
        return;
    }
    s_.gradation.hide();
    showReadDocument(*imported.document);
    s_.gradation.showInPlace();
    s_.dialogs.requestMessageBox(importSummary(imported, s.doc.length, s.doc.mode));
}

void Commands::commandExit() {
    if (s_.dialogs.message(s_.shell.mainWidget(), QMessageBox::Question, MainWindow::tr("終了確認"),
                           MainWindow::tr("終了してよろしいですか？"),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        s_.shell.mainWidget()->close();
    }
}

// ---- Edit -----------------------------------------------------------------------------------

void Commands::commandLength() {
    const int oldLength = s_.state.doc.length;
    if (s_.dialogs.runToolWindow(ToolWindowKind::Length) == kToolOk) {
        applyLengthChange(oldLength);
    }
}

void Commands::popupLength() {
    const int oldLength = s_.state.doc.length;
    if (s_.dialogs.runToolWindowOwnedBy(s_.gradation.window(), s_.shell.mainWidget(),
                                        ToolWindowKind::Length) == kToolOk) {
        applyLengthChange(oldLength);
    }
}

void Commands::applyLengthChange(int oldLength) {
    AppState& s = s_.state;
    // The window has written the new length; the transform moves the points to it.
    const LengthChange change{s.doc.length, oldLength,
                              static_cast<LengthChangeMethod>(s.settings.lengthChangeMethod)};
    s.doc.length = oldLength;
    if (!ChangeLength(s.doc, change)) {
        s_.dialogs.requestMessageBox(shownText(kLengthChangeFailedMessage));
        return;
    }
    s_.shell.hideWindows();
    s_.shell.layoutMain();
    s_.gradation.LayoutBitmapWindow();
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.showWindows();
}

void Commands::commandDirection() {
    if (s_.dialogs.runToolWindow(ToolWindowKind::Direction) == kToolOk) {
        applyDirectionChange();
    }
}

void Commands::popupDirection() {
    if (s_.dialogs.runToolWindowOwnedBy(s_.gradation.window(), s_.shell.mainWidget(),
                                        ToolWindowKind::Direction) == kToolOk) {
        applyDirectionChange();
    }
}

void Commands::applyDirectionChange() {
    s_.gradation.hide();
    s_.shell.mainWidget()->repaint();
    s_.gradation.LayoutBitmapWindow();
    s_.gradation.redraw();
    if (s_.gradation.isOpen()) {
        s_.gradation.window()->show();
    }
}

// ---- View -----------------------------------------------------------------------------------

void Commands::commandTitleWindow() {
    s_.state.settings.showTitleWindow = !s_.state.settings.showTitleWindow;
}

void Commands::commandBitmapWindow() {
    if (s_.gradation.isOpen()) {
        s_.gradation.CloseBitmapWindow();
    } else {
        s_.gradation.OpenBitmapWindow();
    }
}

void Commands::commandAnalysisWindow() {
    s_.shell.toggleAnalysisWindow();
}

void Commands::commandPointTable() {
    s_.shell.togglePointTable();
}

void Commands::commandTopmost() {
    AppState& s = s_.state;
    s.settings.bitmapWindowTopmost = !s.settings.bitmapWindowTopmost;
    s_.gradation.setTopmost(s.settings.bitmapWindowTopmost);
}

// ---- Settings -------------------------------------------------------------------------------

void Commands::commandPointPositions() {
    s_.state.settings.showPointPositions = !s_.state.settings.showPointPositions;
}

void Commands::commandLoop() {
    AppState& s = s_.state;
    const bool previous = s.doc.loop;
    if (s_.dialogs.runToolWindow(ToolWindowKind::Loop) != kToolOk || s.doc.loop == previous) {
        return;
    }
    // Switching off reads the looped curve still in the ColorLine.
    if (!s.doc.loop && !convertLoopOff(s.doc)) {
        s.doc.loop = true;
        s_.dialogs.requestMessageBox(shownText(kLoopChangeFailedMessage));
        return;
    }
    s_.gradation.hide();
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.invalidate();
    s_.gradation.showInPlace();
}

void Commands::commandCmy() {
    AppState& s = s_.state;
    const ColorMode previous = s.doc.mode;
    if (s_.dialogs.runToolWindow(ToolWindowKind::Cmy) != kToolOk || s.doc.mode == previous) {
        return;
    }
    if (previous == ColorMode::Oklch) {
        // From OKLCh the levels mean something else: keep the colours, not the levels.
        s.doc.mode = previous;
        switchColorMode(ColorMode::Cmy);
        return;
    }
    s_.shell.hideWindows();
    RefreshColors(s);
    s_.shell.showWindows();
}

void Commands::commandOklch() {
    switchColorMode(s_.state.doc.oklch() ? ColorMode::Rgb : ColorMode::Oklch);
}

void Commands::commandEqualize() {
    AppState& s = s_.state;
    if (!analyzer_) {
        analyzer_ = std::make_unique<Analyzer>();
    }
    const Equalized equalized = equalizeSteps(s.doc, *analyzer_);
    if (!equalized.document) {
        return;
    }
    const QString figures = MainWindow::tr("均一度: %1 → %2")
                                .arg(equalized.uniformityBefore, 0, 'f', 2)
                                .arg(equalized.uniformityAfter, 0, 'f', 2);
    // Never a change for the worse: the fit's rounding can cost more than the resampling gains.
    if (equalized.uniformityAfter <= equalized.uniformityBefore) {
        s_.dialogs.requestMessageBox(
            MainWindow::tr("これ以上均等にできませんでした。グラデーションは変更していません。\n") +
            figures);
        return;
    }
    s_.shell.hideWindows();
    s.doc = *equalized.document;
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.showWindows();
    s_.dialogs.requestMessageBox(MainWindow::tr("知覚的に均等化しました。\n") + figures);
}

void Commands::switchColorMode(ColorMode target) {
    AppState& s = s_.state;
    ModeChange change = changeColorMode(s.doc, target);
    if (!change.document) {
        return;
    }
    s_.shell.hideWindows();
    s.doc = *change.document;
    ChooseChannelColors(s.colors, s.doc.mode);
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.showWindows();
    if (change.fitError > kModeChangeTolerance) {
        s_.dialogs.requestMessageBox(
            MainWindow::tr("色モードを変換しました。曲線の最大誤差は %1 レベルです。")
                .arg(change.fitError));
    }
}

void Commands::commandSynchro() {
    const bool previous = s_.state.doc.synchro;
    if (s_.dialogs.runToolWindow(ToolWindowKind::Synchro) != kToolOk) {
        return;
    }
    s_.shell.updateSynchroBoxes(previous);
    s_.shell.resyncSynchro();
    s_.shell.invalidate();
    s_.gradation.invalidate();
}

// ---- Undo -----------------------------------------------------------------------------------

void Commands::commandUndo() {
    // A drag holds the mouse: undo waits until it is over.
    const GradationSettings previous = s_.state.doc.settings();
    if (!s_.state.edit.dragging && s_.state.history.undo(s_.state.doc)) {
        showRestoredDocument(previous);
    }
}

void Commands::commandRedo() {
    const GradationSettings previous = s_.state.doc.settings();
    if (!s_.state.edit.dragging && s_.state.history.redo(s_.state.doc)) {
        showRestoredDocument(previous);
    }
}

void Commands::showRestoredDocument(const GradationSettings& previous) {
    AppState& s = s_.state;
    if (s.doc.length != previous.length) {
        s_.shell.layoutMain();
    }
    s_.shell.updateSynchroBoxes(previous.synchro);
    if (s.doc.length != previous.length || s.doc.direction != previous.direction) {
        s_.gradation.LayoutBitmapWindow();
    }
    ChooseChannelColors(s.colors, s.doc.mode);
    RefreshDocument(s, RefreshMode::Evaluating);
    s_.shell.invalidate();
    s_.gradation.invalidate();
}

// ---- Help -----------------------------------------------------------------------------------

void Commands::commandAbout() {
    s_.dialogs.setGradationWindowEnabled(false);
    s_.dialogs.message(s_.dialogs.owner(), QMessageBox::Information,
                       QStringLiteral("Version Info."),
                       QStringLiteral("Spectrane\nversion " SPECTRANE_VERSION));
    // The main window comes to the front as the active window, even from under a gradation
    // window that stays on top.
    s_.shell.mainWidget()->raise();
    s_.shell.mainWidget()->activateWindow();
    s_.dialogs.setGradationWindowEnabled(true);
}

// ---- Help (keys) ---------------------------------------------------------------------------

void Commands::commandKeyboardHelp() {
    s_.dialogs.setGradationWindowEnabled(false);
    s_.dialogs.message(
        s_.dialogs.owner(), QMessageBox::Information, MainWindow::tr("キーボード操作"),
        MainWindow::tr("プロットをクリックするか Tab キーでフォーカスを移してから:\n\n"
                       "Tab / Shift+Tab\t次 / 前のポイントを選択\n"
                       "← →\t1 ドット移動\n"
                       "↑ ↓\t1 レベル移動\n"
                       "Shift+矢印\t10 ずつ移動\n"
                       "Ctrl+矢印\t次の 16 の倍数まで移動\n"
                       "Insert\tポイントの挿入\n"
                       "Delete\tポイントの削除\n"
                       "Enter\t位置のセット\n"
                       "R / G / B\tチャンネルの選択 (CMY モードでは C / M / Y)\n"
                       "Space\t次のチャンネル\n\n"
                       "一つのポイントを続けて動かすキー操作は、まとめて一回で元に戻せます。"));
    s_.dialogs.setGradationWindowEnabled(true);
}

} // namespace spectrane
