// Editing without a mouse: the plot's keys, the point table's edits and the window that lists
// the keys. Key moves go through the drag step on the UI thread, with the worker idle; a run of
// moves of one point is one undo step.
#include "app/main_window.h"

#include "app/command_ids.h"
#include "app/gradation_window_controller.h"
#include "app/menus.h"
#include "app/point_table_window.h"
#include "editing/hit_test.h"
#include "editing/key_moves.h"
#include "editing/point_commands.h"

#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace spectrane {

namespace {

constexpr const char* kStepKeyMove = QT_TRANSLATE_NOOP("spectrane::MainWindow", "ポイントの移動");

std::optional<KeyDirection> arrowOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return KeyDirection::Left;
    case Qt::Key_Right:
        return KeyDirection::Right;
    case Qt::Key_Up:
        return KeyDirection::Up;
    case Qt::Key_Down:
        return KeyDirection::Down;
    default:
        return std::nullopt;
    }
}

int pointCommandOf(int key) {
    switch (key) {
    case Qt::Key_Insert:
        return kPopupInsertPoint;
    case Qt::Key_Delete:
        return kPopupDeletePoint;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kPopupSetPosition;
    default:
        return 0;
    }
}

// The channel a letter chooses: R, G, B; C, M, Y in CMY mode; L, C, H in OKLCh; -1 for
// another key.
ChannelIndex channelOf(int key, ColorMode mode) {
    const int letters[3][3] = {{Qt::Key_R, Qt::Key_G, Qt::Key_B},
                               {Qt::Key_C, Qt::Key_M, Qt::Key_Y},
                               {Qt::Key_L, Qt::Key_C, Qt::Key_H}};
    const int* row = letters[static_cast<std::size_t>(mode)];
    const auto found = std::find(row, row + 3, key);
    return found == row + 3 ? -1 : static_cast<ChannelIndex>(found - row);
}

} // namespace

bool MainWindow::plotKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers kept =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const std::optional<KeyDirection> arrow = arrowOf(key);
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool plain = kept == Qt::NoModifier;
    const ChannelIndex letter = plain ? channelOf(key, state_->doc.mode) : -1;
    const int command = plain ? pointCommandOf(key) : 0;
    if (!arrow && !(tab && !kept.testFlag(Qt::ControlModifier)) && letter == -1 && command == 0 &&
        !(plain && key == Qt::Key_Space)) {
        return false;
    }
    waitForWorkerIdle();
    AppState& s = *state_;
    if (s.edit.dragging) {
        return true; // the mouse holds the point
    }
    const ChannelIndex c = s.doc.currentChannel;
    const int n = s.doc.channels[c].pointCount;
    const int i = s.edit.hoveredPoint;
    if (tab) {
        const bool forward = key == Qt::Key_Tab && !kept.testFlag(Qt::ShiftModifier);
        selectPoint(NextPointIndex(i, n, forward));
    } else if (arrow) {
        const KeyStride stride = kept.testFlag(Qt::ControlModifier) ? KeyStride::Grid
                                 : kept.testFlag(Qt::ShiftModifier) ? KeyStride::Ten
                                                                    : KeyStride::One;
        if (i != -1 && KeyMove(*editor_, KeyMoveTarget(ShownPosition(s.doc, c, i), *arrow,
                                                       stride)) != DragPath::None) {
            keyMoved();
        }
    } else if (command != 0) {
        if (i == -1) {
            return true;
        }
        runPointCommand(command);
        // The point stays chosen for the next key: after an insert before it one place further
        // on (the first keeps its place), after a delete the next point takes its place.
        const int now = s.doc.channels[c].pointCount;
        int next = i;
        if (now > n && i > 0) {
            next = i + 1;
        } else if (now < n) {
            next = std::min(i, now - 1);
        }
        selectPoint(next);
    } else {
        endKeyRun();
        if (ChooseChannel(*editor_, letter != -1 ? letter : (c + 1) % kChannelCount)) {
            invalidate();
        }
    }
    return true;
}

void MainWindow::selectPoint(int i) {
    endKeyRun();
    SelectPoint(*editor_, i);
    invalidate();
}

void MainWindow::keyMoved() {
    AppState& s = *state_;
    const ChannelIndex c = s.doc.currentChannel;
    const int i = s.edit.hoveredPoint;
    invalidate();
    gradation_->invalidate();
    if (keyRun_.open && keyRun_.channel == c && keyRun_.point == i) {
        keyRun_.open = s.history.amend(s.doc);
    } else {
        keyRun_ = {s.history.record(kStepKeyMove, s.doc), c, i};
    }
    syncUndoItems();
    // A run extends its step rather than recording a new one, but the change still takes the
    // one path every document change takes.
    documentChanged();
}

void MainWindow::selectPointFromTable(int i) {
    waitForWorkerIdle();
    if (!state_->edit.dragging && i != state_->edit.hoveredPoint) {
        selectPoint(i);
    }
}

void MainWindow::setPointFromTable(int i, int dot, int level) {
    waitForWorkerIdle();
    AppState& s = *state_;
    if (s.edit.dragging || i < 0 || i >= s.doc.channels[s.doc.currentChannel].pointCount) {
        return;
    }
    SelectPoint(*editor_, i);
    s.edit.positionDot = dot;
    s.edit.positionLevel = level;
    RunPopupCommand(*editor_, kPopupSetPosition);
    recordEditorPopupStep(kPopupSetPosition);
    selectPoint(i);
}

// ---- View and Help --------------------------------------------------------------------------

void MainWindow::setPointTableOpen(bool open) {
    if (!open) {
        if (pointTable_ != nullptr) {
            pointTable_->hide();
        }
        setMenuCheck(this, kCmdPointTable, false);
        return;
    }
    if (pointTable_ == nullptr) {
        PointTableWindow::Hooks hooks;
        hooks.selectPoint = [this](int i) { selectPointFromTable(i); };
        hooks.setPosition = [this](int i, int dot, int level) { setPointFromTable(i, dot, level); };
        hooks.closed = [this] { setMenuCheck(this, kCmdPointTable, false); };
        pointTable_ = std::make_unique<PointTableWindow>(*state_, std::move(hooks));
        pointTable_->placeBeside(frameGeometry(), QRect(QPoint(0, 0), options_.workArea()));
    }
    pointTable_->refresh();
    pointTable_->show();
    pointTable_->raise();
    setMenuCheck(this, kCmdPointTable, true);
}

} // namespace spectrane
