// The main window's menu table, each row with its handler and the name of its undo step; how a
// command is run and its change recorded; the menu check marks and the synchro boxes.
#include "app/main_window.h"

#include "app/analysis_window.h"
#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/point_table_window.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "editing/synchro.h"

#include <QCheckBox>
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
constexpr const char* kStepOklch = QT_TRANSLATE_NOOP("spectrane::MainWindow", "OKLChモードの変更");
constexpr const char* kStepEqualize = QT_TRANSLATE_NOOP("spectrane::MainWindow", "知覚的に均等化");
constexpr const char* kStepSynchro = QT_TRANSLATE_NOOP("spectrane::MainWindow", "シンクロの変更");
constexpr const char* kStepDrag = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイントの移動");

constexpr Row kFileMenu[] = {
    {kCmdNew, QT_TRANSLATE_NOOP("spectrane::MainWindow", "新規作成(&N)"), false,
     &Commands::commandNew, kStepNew, "Ctrl+N"},
    {kCmdOpen, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ラインデータ・ファイルを開く(&O)"),
     false, &Commands::commandOpen, kStepOpen, "Ctrl+O"},
    {kCmdSave, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ラインデータの保存(&S)"), false,
     &Commands::commandSave, nullptr, "Ctrl+S"},
    {0, "", false, nullptr},
    {kCmdSaveBitmap, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ画像として保存(&B)"),
     false, &Commands::commandSaveBitmap},
    {kCmdExport, QT_TRANSLATE_NOOP("spectrane::MainWindow", "エクスポート(&E)..."), false,
     &Commands::commandExport},
    {kCmdImport, QT_TRANSLATE_NOOP("spectrane::MainWindow", "インポート(&I)..."), false,
     &Commands::commandImport, kStepImport},
    {0, "", false, nullptr},
    {kCmdExit, QT_TRANSLATE_NOOP("spectrane::MainWindow", "終了(&X)"), false,
     &Commands::commandExit, nullptr, "Ctrl+Q"},
};
constexpr Row kEditMenu[] = {
    {kCmdUndo, QT_TRANSLATE_NOOP("spectrane::MainWindow", "元に戻す(&U)"), false,
     &Commands::commandUndo, nullptr, "Ctrl+Z"},
    {kCmdRedo, QT_TRANSLATE_NOOP("spectrane::MainWindow", "やり直し(&R)"), false,
     &Commands::commandRedo, nullptr, "Ctrl+Y; Ctrl+Shift+Z"},
    {0, "", false, nullptr},
    {kCmdLength, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションの長さの変更(&L)"),
     false, &Commands::commandLength, kStepLength},
    {kCmdDirection, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションの方向の変更(&D)"),
     false, &Commands::commandDirection, kStepDirection},
    {kCmdEqualize, QT_TRANSLATE_NOOP("spectrane::MainWindow", "知覚的に均等化(&V)"), false,
     &Commands::commandEqualize, kStepEqualize},
};
constexpr Row kViewMenu[] = {
    {kCmdTitleWindow, QT_TRANSLATE_NOOP("spectrane::MainWindow", "タイトルウインドウの表示(&T)"),
     true, &Commands::commandTitleWindow},
    {kCmdBitmapWindow,
     QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ・ウインドウの表示(&B)"), true,
     &Commands::commandBitmapWindow},
    {kCmdTopmost,
     QT_TRANSLATE_NOOP("spectrane::MainWindow", "ビットマップ・ウインドウを常に最前面にする(&W)"),
     true, &Commands::commandTopmost},
    {0, "", false, nullptr},
    {kCmdAnalysisWindow, QT_TRANSLATE_NOOP("spectrane::MainWindow", "解析ウインドウの表示(&A)"),
     true, &Commands::commandAnalysisWindow},
    {kCmdPointTable, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイント表の表示(&P)"), true,
     &Commands::commandPointTable},
};
constexpr Row kSettingsMenu[] = {
    {kCmdPointPositions, QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイント位置の表示(&P)"), true,
     &Commands::commandPointPositions},
    {kCmdLoop, QT_TRANSLATE_NOOP("spectrane::MainWindow", "グラデーションのループ(&L)"), true,
     &Commands::commandLoop, kStepLoop},
    {kCmdCmy, QT_TRANSLATE_NOOP("spectrane::MainWindow", "CMY (減法混合) モード(&C)"), true,
     &Commands::commandCmy, kStepCmy},
    {kCmdOklch, QT_TRANSLATE_NOOP("spectrane::MainWindow", "OKLChモード(&K)"), true,
     &Commands::commandOklch, kStepOklch},
    {kCmdSynchro, QT_TRANSLATE_NOOP("spectrane::MainWindow", "シンクロ・モード(&S)"), true,
     &Commands::commandSynchro, kStepSynchro},
};
constexpr Row kHelpMenu[] = {
    {kCmdKeyboardHelp, QT_TRANSLATE_NOOP("spectrane::MainWindow", "キーボード操作(&K)..."), false,
     &Commands::commandKeyboardHelp},
    {kCmdAbout, QT_TRANSLATE_NOOP("spectrane::MainWindow", "バージョン情報(&A)"), false,
     &Commands::commandAbout},
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
    void (Commands::*run)();
    const char* step;
};
constexpr PopupRow kBitmapPopup[] = {
    {kPopupSaveBitmap, &Commands::popupSaveBitmap, nullptr},
    {kPopupLength, &Commands::popupLength, kStepLength},
    {kPopupDirection, &Commands::popupDirection, kStepDirection},
    {kPopupTopmost, &Commands::commandTopmost, nullptr},
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

void MainWindow::runCommand(void (Commands::*handler)(), const char* step) {
    waitForWorkerIdle();
    (commands_.get()->*handler)();
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
    setMenuCheck(this, kCmdCmy, s.doc.cmy());
    setMenuCheck(this, kCmdOklch, s.doc.oklch());
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

void MainWindow::resyncSynchro() {
    // The ring's saved pixels would be stale once the plot is redrawn.
    DropHoverRing(*editor_);
    ResyncSynchro(*editor_);
}

void MainWindow::toggleAnalysisWindow() {
    setAnalysisWindowOpen(analysis_ == nullptr || !analysis_->isVisible());
}

void MainWindow::togglePointTable() {
    setPointTableOpen(pointTable_ == nullptr || !pointTable_->isVisible());
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

} // namespace spectrane
