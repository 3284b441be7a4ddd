// Editing without a mouse: keys on the plot and the point table.
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/point_table_window.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "files/line_data_file.h"
#include "model/document_check.h"

#include "app_test_support.h"

#include <QHeaderView>
#include <QTableWidget>

namespace spectrane {
namespace {

using test::TestApp;
using test::u;

DotLevel shown(AppState& s, int i) {
    return ShownPosition(s.doc, s.doc.currentChannel, i);
}

void key(QWidget* canvas, Qt::Key k, Qt::KeyboardModifiers m = {}, int times = 1) {
    for (int t = 0; t < times; ++t) {
        QTest::keyClick(canvas, k, m);
    }
}

// The program's windows as the user drives them by keys, the undo history counted by its steps.
struct KeyApp : TestApp {
    KeyApp() {
        showKnownCurves();
        canvas()->setFocus();
    }
    CanvasWidget* canvas() { return window->canvas(); }
    // Undoes everything and redoes it again; the chosen point is chosen again after.
    int undoSteps() {
        const int chosen = state().edit.hoveredPoint;
        const auto saved = encodeLineData(state().doc);
        int steps = 0;
        while (state().history.canUndo()) {
            window->dispatchCommand(kCmdUndo);
            ++steps;
        }
        for (int t = 0; t < steps; ++t) {
            window->dispatchCommand(kCmdRedo);
        }
        EXPECT_EQ(encodeLineData(state().doc), saved);
        window->selectPointFromTable(chosen);
        return steps;
    }
};

// Tab walks the points round, the arrows move the chosen one; a run of moves of one point is one
// step (none if back where it began), ended by another point, the mouse or a command. Channel
// letters and Space choose the channel.
TEST(KeyboardEditing, KeysChooseAndMovePointsOneUndoStepPerRun) {
    KeyApp app;
    AppState& s = app.state();
    CanvasWidget* c = app.canvas();
    EXPECT_EQ(c->focusPolicy(), Qt::StrongFocus);
    for (const auto& [k, m, want] : {std::tuple{Qt::Key_Tab, Qt::KeyboardModifiers{}, 0},
                                     {Qt::Key_Tab, {}, 1},
                                     {Qt::Key_Backtab, Qt::ShiftModifier, 0},
                                     {Qt::Key_Backtab, Qt::ShiftModifier, 3},
                                     {Qt::Key_Tab, {}, 0},
                                     {Qt::Key_Tab, {}, 1}}) {
        key(c, k, m);
        EXPECT_EQ(s.edit.hoveredPoint, want);
    }
    EXPECT_TRUE(c->hasFocus());
    app.window->dispatchCommand(kCmdKeyboardHelp); // the keys listed
    EXPECT_TRUE(app.messages().back().text.contains(QStringLiteral("Ctrl+")));
    QCoreApplication::processEvents();
    const CurvePoint a = s.doc.channels[0].anchorPoints[1];
    EXPECT_EQ(c->grab().toImage().pixel(app.at({a.x + 16, a.y})) & 0xffffff, kHoverRingColor);

    key(c, Qt::Key_Up);
    key(c, Qt::Key_Down);
    EXPECT_EQ(app.undoSteps(), 0); // back where the run began
    key(c, Qt::Key_Up, {}, 3);
    key(c, Qt::Key_Up, Qt::ShiftModifier);
    key(c, Qt::Key_Left, Qt::ControlModifier);
    key(c, Qt::Key_Right);
    EXPECT_EQ(shown(s, 1), (DotLevel{113, 183}));
    EXPECT_EQ(findCommandAction(app.window, kCmdUndo)->text(), u("元に戻す: ポイントの移動(&U)"));
    EXPECT_EQ(app.undoSteps(), 1);
    key(c, Qt::Key_Tab);
    const DotLevel second = shown(s, 2); // moved a little with its neighbour
    key(c, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(shown(s, 2), (DotLevel{second.dot, (second.level - 1) / 16 * 16}));
    key(c, Qt::Key_Backtab, Qt::ShiftModifier);
    key(c, Qt::Key_Down);
    EXPECT_EQ(app.undoSteps(), 3);
    // A click on the chosen point moves nothing but ends the run; so does any command.
    const QPoint on = app.at(s.doc.channels[0].anchorPoints[1]);
    QTest::mouseMove(c, on);
    QTest::mousePress(c, Qt::LeftButton, {}, on);
    QTest::mouseRelease(c, Qt::LeftButton, {}, on);
    ASSERT_EQ(s.edit.hoveredPoint, 1);
    const DotLevel before = shown(s, 1);
    key(c, Qt::Key_Down);
    app.window->dispatchCommand(kCmdPointPositions);
    key(c, Qt::Key_Down);
    EXPECT_EQ(app.undoSteps(), 5);
    EXPECT_EQ(shown(s, 1), (DotLevel{before.dot, before.level - 2}));
    app.window->dispatchCommand(kCmdUndo);
    EXPECT_EQ(shown(s, 1), (DotLevel{before.dot, before.level - 1}));

    for (const auto& [k, want] :
         {std::pair{Qt::Key_G, 1}, {Qt::Key_Space, 2}, {Qt::Key_R, 0}, {Qt::Key_B, 2}}) {
        key(c, k);
        EXPECT_EQ(s.doc.currentChannel, want);
        EXPECT_EQ(s.edit.hoveredPoint, -1);
    }
    app.run(kCmdCmy, [](AppState& st) { st.doc.mode = ColorMode::Cmy; });
    key(c, Qt::Key_R); // not a channel in CMY mode
    EXPECT_EQ(s.doc.currentChannel, 2);
    key(c, Qt::Key_M);
    EXPECT_EQ(s.doc.currentChannel, 1);
}

// Insert, Delete and Enter run the point menu's commands on the chosen point (its refusals are
// the editing layer's); typing into the table sets a position. Nothing refused makes a step.
TEST(KeyboardEditing, PointKeysAndTheTableKeepThePointMenusRules) {
    KeyApp app;
    AppState& s = app.state();
    CanvasWidget* c = app.canvas();
    const auto lastMessage = [&] { return app.messages().back().text; };
    key(c, Qt::Key_Tab); // point 0, an end
    key(c, Qt::Key_Delete);
    EXPECT_EQ(lastMessage(), u(kEndPointMessage.data()));
    EXPECT_EQ(std::pair(s.doc.channels[0].pointCount, s.edit.hoveredPoint), std::pair(4, 0));
    key(c, Qt::Key_Tab);
    const auto known = test::controlsOf(s.doc, 0);
    key(c, Qt::Key_Insert); // before point 1, which stays chosen
    EXPECT_EQ(std::pair(s.doc.channels[0].pointCount, s.edit.hoveredPoint), std::pair(5, 2));
    key(c, Qt::Key_Backtab, Qt::ShiftModifier);
    key(c, Qt::Key_Delete); // the new point; the next takes its place
    EXPECT_EQ(s.edit.hoveredPoint, 1);
    EXPECT_EQ(test::controlsOf(s.doc, 0), known);
    key(c, Qt::Key_Tab);
    app.toolAnswers.push_back([](AppState& st) {
        st.edit.positionDot = 300;
        st.edit.positionLevel = 128;
    });
    key(c, Qt::Key_Return);
    EXPECT_EQ(app.tools.back().first, ToolWindowKind::PositionSet);
    EXPECT_EQ(shown(s, 2), (DotLevel{300, 128}));
    EXPECT_EQ(app.undoSteps(), 3);

    app.window->dispatchCommand(kCmdPointTable);
    PointTableWindow* table = app.window->pointTable();
    ASSERT_TRUE(table != nullptr && table->isVisible());
    QTableWidget* t = table->table();
    const auto cell = [&](int row, int column) { return t->item(row, column)->text().toInt(); };
    const auto editable = [&](int row, int column) {
        return t->item(row, column)->flags().testFlag(Qt::ItemIsEditable);
    };
    ASSERT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->currentRow(), 2);
    EXPECT_TRUE(editable(1, 1) && editable(0, 2) && !editable(0, 0) && !editable(0, 1) &&
                !editable(3, 1));
    t->selectRow(1);
    EXPECT_EQ(s.edit.hoveredPoint, 1);
    const int dot1 = shown(s, 1).dot;
    t->item(1, 2)->setText(QStringLiteral("99.7")); // the fraction dropped
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(s, 1), (DotLevel{dot1, 99}));
    EXPECT_EQ(cell(1, 2), 99);
    t->item(1, 1)->setText(QStringLiteral("abc")); // no number: nothing changes
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(1, 1), dot1);
    EXPECT_EQ(app.undoSteps(), 4);
    t->horizontalHeader()->sectionClicked(0); // highest index first
    t->horizontalHeader()->sectionClicked(2); // sorts by index only
    EXPECT_EQ(std::pair(cell(0, 0), cell(0, 2)), std::pair(3, shown(s, 3).level));

    // Neighbours far out: a new level would need a control point past what a file holds.
    ChannelCurve& curve = s.doc.channels[1];
    curve.pointCount = 3;
    curve.controlPoints = {{{56, -kCoordinateBound}, {300, 0}, {567, -kCoordinateBound}}};
    key(c, Qt::Key_G);
    RefreshDocument(s, RefreshMode::Evaluating);
    s.history.reset(s.doc);
    key(c, Qt::Key_Tab, {}, 2);
    const auto kept = encodeLineData(s.doc);
    const std::size_t boxes = app.messages().size();
    app.toolAnswers.push_back([](AppState& st) { st.edit.positionLevel = 100; });
    key(c, Qt::Key_Enter, Qt::KeypadModifier);
    table->refresh();
    t->item(t->rowCount() - 1 - 1, 2)->setText(QStringLiteral("100")); // point 1, rows reversed
    QCoreApplication::processEvents();
    ASSERT_EQ(app.messages().size(), boxes + 2);
    EXPECT_EQ(lastMessage(), u(kSetPositionFailedMessage.data()));
    EXPECT_EQ(app.messages()[boxes].text, lastMessage());
    EXPECT_EQ(encodeLineData(s.doc), kept);
    EXPECT_EQ(app.undoSteps(), 0);
}

} // namespace
} // namespace spectrane
