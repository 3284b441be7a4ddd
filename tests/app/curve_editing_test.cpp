#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/refresh_document.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "model/gradation_render.h"

#include "app_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace spectrane {
namespace {

using test::TestApp;

// Gives channel 0..2 the same known open curve and redraws everything.
void knownCurves(AppState& s) {
    auto doc = test::openDocumentFromAnchors(512, {{56, 200}, {180, 150}, {330, 120}, {567, 250}});
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        s.doc.channels[ch] = doc->channels[ch];
    }
    s.doc.currentChannel = 0;
    RefreshDocument(s, RefreshMode::Evaluating);
    s.history.reset(s.doc);
}

QPoint clientOf(MainWindow& w, double x, double y) {
    const MainLayout& l = w.state().mainLayout;
    return {static_cast<int>(x) - l.horizontal.pos, static_cast<int>(y) - l.vertical.pos};
}

TEST(CurveEditing, DragOnTheCanvasMovesPointCurveAndGradation) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    CanvasWidget* canvas = w.canvas();
    const CurvePoint a = s.doc.channels[0].anchorPoints[1];
    const GradationDocument before = s.doc;
    const QPoint press = clientOf(w, a.x, a.y);

    QTest::mouseMove(canvas, press);
    EXPECT_EQ(s.edit.hoveredPoint, 1);
    QTest::mousePress(canvas, Qt::LeftButton, {}, press);
    EXPECT_TRUE(s.edit.dragging);
    QTest::mouseMove(canvas, press + QPoint(6, -40));
    w.worker().waitUntilIdle();
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, press + QPoint(6, -40));
    EXPECT_FALSE(s.edit.dragging);
    EXPECT_EQ(s.edit.hoveredPoint, 1);

    const CurvePoint moved = s.doc.channels[0].anchorPoints[1];
    EXPECT_NEAR(moved.y, std::trunc(a.y) - 40 + s.edit.grabOffsetY, 1e-6);
    EXPECT_NEAR(moved.x, std::trunc(a.x) + 6 + s.edit.grabOffsetX, 1e-6);
    // The curve rose around the point, the other channels did not move.
    const int dot = static_cast<int>(moved.x) - 56;
    EXPECT_GT(s.doc.colorLine.level(0, dot), before.colorLine.level(0, dot) + 20);
    EXPECT_EQ(s.doc.channels[1].controlPoints, before.channels[1].controlPoints);
    // The gradation picture shows the new colour of that dot.
    const BitmapWindowLayout& l = s.bitmapLayout;
    const Surface& grad = s.buffers.gradationBuffer(s.doc.direction);
    const int pos = dotPosition(dot, s.doc.length, s.doc.direction);
    const Color expected = mixedColor(s.doc.colorLine, dot, s.doc.cmy);
    const Color shown = s.doc.vertical() ? grad.pixel(l.marginX + 5, l.marginY + pos)
                                         : grad.pixel(l.marginX + pos, l.marginY + 5);
    EXPECT_EQ(shown, expected);
    // The canvas shows MainBuffer after the queued repaint: the ring around the new place.
    QCoreApplication::processEvents();
    const QImage shot = canvas->grab().toImage();
    const QPoint ring = clientOf(w, moved.x + 16, moved.y);
    EXPECT_EQ(shot.pixel(ring) & 0xffffff, kHoverRingColor);
    w.hide();
}

TEST(CurveEditing, PressOnEmptyPlotChangesNothingInTheDocument) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const GradationDocument before = s.doc;
    const QPoint empty = clientOf(w, 300, 330);
    ASSERT_EQ(HitTestAnchor(s.doc, 300, 330, 0), -1);
    QTest::mousePress(w.canvas(), Qt::LeftButton, {}, empty);
    QTest::mouseMove(w.canvas(), empty + QPoint(30, -30));
    w.worker().waitUntilIdle();
    QTest::mouseRelease(w.canvas(), Qt::LeftButton, {}, empty + QPoint(30, -30));
    EXPECT_FALSE(s.edit.dragging);
    EXPECT_EQ(s.doc.currentChannel, 0);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(s.doc.channels[ch].controlPoints, before.channels[ch].controlPoints);
    }
    w.hide();
}

// A mouse event as the window system delivers it, with the buttons held at that moment.
void send(QWidget* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

TEST(CurveEditing, ADragEndsWhenTheLeftButtonIsSeenUpWhereverItsReleaseWent) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QWidget* canvas = w.canvas();
    const CurvePoint a = s.doc.channels[0].anchorPoints[2];
    const QPoint on = clientOf(w, a.x, a.y);
    for (bool byPopup : {false, true}) {
        SCOPED_TRACE(byPopup ? "the point menu took the release" : "the release went elsewhere");
        send(canvas, QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
        send(canvas, QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
        ASSERT_TRUE(s.edit.dragging);
        send(canvas, QEvent::MouseMove, on + QPoint(0, -20), Qt::NoButton, Qt::LeftButton);
        w.worker().waitUntilIdle();
        if (byPopup) { // a right click opens the point menu, which takes the left release
            send(canvas, QEvent::MouseButtonPress, on + QPoint(0, -20), Qt::RightButton,
                 Qt::LeftButton | Qt::RightButton);
            send(canvas, QEvent::MouseButtonRelease, on + QPoint(0, -20), Qt::RightButton,
                 Qt::LeftButton);
            EXPECT_FALSE(s.edit.dragging);
        }
        const auto held = s.doc.channels[0].controlPoints;
        // The bare pointer moves on: it ends the drag and moves nothing.
        send(canvas, QEvent::MouseMove, on + QPoint(0, 60), Qt::NoButton, Qt::NoButton);
        w.worker().waitUntilIdle();
        EXPECT_FALSE(s.edit.dragging);
        EXPECT_EQ(s.doc.channels[0].controlPoints, held);
    }
    w.hide();
}

TEST(CurveEditing, ARightPressHitTestsAgainWhereItIs) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const CurvePoint a = s.doc.channels[0].anchorPoints[1];
    send(w.canvas(), QEvent::MouseMove, clientOf(w, a.x, a.y), Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(s.edit.hoveredPoint, 1);
    // Far away on empty plot, with no move in between (dropped while the worker was busy).
    const QPoint far = clientOf(w, 500, 330);
    send(w.canvas(), QEvent::MouseButtonPress, far, Qt::RightButton, Qt::RightButton);
    send(w.canvas(), QEvent::MouseButtonRelease, far, Qt::RightButton, Qt::NoButton);
    w.worker().waitUntilIdle();
    EXPECT_EQ(app.ui.popupsShown, 0);
    EXPECT_EQ(s.doc.currentChannel, 1); // the press on empty plot switched the channel
    w.hide();
}

TEST(CurveEditing, RightButtonSwitchesChannelsOrOpensThePointMenu) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    CanvasWidget* canvas = w.canvas();

    // Right clicks on empty plot: R -> G -> B -> R, no menu.
    const QPoint empty = clientOf(w, 300, 330);
    for (ChannelIndex expected : {1, 2, 0}) {
        QTest::mouseClick(canvas, Qt::RightButton, {}, empty);
        w.worker().waitUntilIdle();
        EXPECT_EQ(s.doc.currentChannel, expected);
    }
    EXPECT_EQ(app.ui.popupsShown, 0);

    // Over an anchor: the menu; insert.
    const CurvePoint a = s.doc.channels[0].anchorPoints[2];
    const QPoint on = clientOf(w, a.x, a.y);
    QTest::mouseMove(canvas, on);
    ASSERT_EQ(s.edit.hoveredPoint, 2);
    app.ui.popupAnswers = {kPopupInsertPoint};
    QTest::mouseClick(canvas, Qt::RightButton, {}, on);
    EXPECT_EQ(app.ui.popupsShown, 1);
    EXPECT_EQ(s.doc.channels[0].pointCount, 5);
    EXPECT_EQ(s.edit.hoveredPoint, -1);
    EXPECT_EQ(s.doc.currentChannel, 0);

    // Set position through the point position window.
    const CurvePoint b = s.doc.channels[0].anchorPoints[3];
    QTest::mouseMove(canvas, clientOf(w, b.x, b.y));
    ASSERT_EQ(s.edit.hoveredPoint, 3);
    app.ui.popupAnswers = {kPopupSetPosition};
    app.ui.toolActions.push_back([&](QWidget* win) {
        EXPECT_EQ(test::control<QLineEdit>(win, 1008)->text().toInt(),
                  static_cast<int>(std::floor(b.x - 56)));
        test::setText(win, 1008, "300");
        test::setText(win, 1024, "200");
        test::click(win, 1);
    });
    QTest::mouseClick(canvas, Qt::RightButton, {}, clientOf(w, b.x, b.y));
    EXPECT_EQ(app.ui.tools.back().kind, ToolWindowKind::PositionSet);
    EXPECT_EQ(app.ui.tools.back().owner, &w);
    EXPECT_NEAR(s.doc.channels[0].anchorPoints[3].x, 356.0, 1e-6);
    EXPECT_NEAR(s.doc.channels[0].anchorPoints[3].y, 120.0, 1e-6);

    // Deleting an end point is refused with the message.
    const CurvePoint e = s.doc.channels[0].anchorPoints[0];
    QTest::mouseMove(canvas, clientOf(w, e.x + 1, e.y));
    ASSERT_EQ(s.edit.hoveredPoint, 0);
    app.ui.popupAnswers = {kPopupDeletePoint};
    QTest::mouseClick(canvas, Qt::RightButton, {}, clientOf(w, e.x + 1, e.y));
    ASSERT_FALSE(app.messages().empty());
    EXPECT_EQ(app.messages().back().title, QString::fromUtf8("メッセージ"));
    EXPECT_EQ(app.messages().back().text, QString::fromUtf8("端点を削除することは出来ません。"));
    EXPECT_EQ(s.doc.channels[0].pointCount, 5);
    w.hide();
}

TEST(CurveEditing, SynchroBoxesMakeCheckedChannelsEqual) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.synchro = true;
        return kToolOk;
    });
    w.dispatchCommand(kCmdSynchro);
    const ChannelCurve g = s.doc.channels[1];
    w.synchroBox(1)->click();
    EXPECT_TRUE(s.doc.synchroChannels[1]);
    w.synchroBox(2)->click();
    // G is the higher one in the list and R is current but unchecked: B follows G.
    EXPECT_EQ(s.doc.channels[2].pointCount, g.pointCount);
    EXPECT_EQ(s.doc.channels[2].controlPoints, g.controlPoints);
    const ChannelCurve b = s.doc.channels[2];
    w.synchroBox(2)->click();
    EXPECT_FALSE(s.doc.synchroChannels[2]);
    EXPECT_EQ(s.doc.channels[2].controlPoints, b.controlPoints); // unchecking keeps the curve
}

TEST(CurveEditing, SetPositionOnAnEndPointChangesOnlyTheLevel) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    s.doc.currentChannel = 1;
    const int last = s.doc.channels[1].pointCount - 1;
    const CurvePoint before = s.doc.channels[1].anchorPoints[last];
    s.edit.hoveredPoint = last;
    app.ui.popupAnswers = {kPopupSetPosition};
    app.ui.toolActions.push_back([](QWidget* win) {
        test::setText(win, 1008, "100"); // the disabled edit's text does not count
        test::setText(win, 1024, "200");
        test::click(win, 1);
    });
    w.editorPopupAt(w.mapToGlobal(QPoint(100, 100)));
    const CurvePoint after = s.doc.channels[1].anchorPoints[last];
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, 320 - 200);
    EXPECT_EQ(s.doc.colorLine.level(1, 511), 200);
    EXPECT_TRUE(w.isEnabled());
}

// A whole drag is one step, whatever its moves: Ctrl+Z puts back its points and the gradation's
// pixels, Ctrl+Y does it again; the Edit menu names the step; a new step drops the redo.
TEST(Undo, ADragIsOneStepThatUndoAndRedoTakeBackAndAgain) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    knownCurves(s);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QAction* undo = findCommandAction(&w, kCmdUndo);
    QAction* redo = findCommandAction(&w, kCmdRedo);
    EXPECT_FALSE(undo->isEnabled() || redo->isEnabled());
    EXPECT_EQ(undo->text(), QString::fromUtf8("元に戻す(&U)"));
    const GradationDocument before = s.doc;
    const Surface pictureBefore = s.buffers.gradationBuffer(s.doc.direction);
    const CurvePoint a = s.doc.channels[0].anchorPoints[1];
    const QPoint on = clientOf(w, a.x, a.y);
    QTest::mouseMove(w.canvas(), on);
    QTest::mousePress(w.canvas(), Qt::LeftButton, {}, on);
    for (int dy = 10; dy <= 50; dy += 10) {
        QTest::mouseMove(w.canvas(), on - QPoint(0, dy));
        w.worker().waitUntilIdle();
    }
    QTest::mouseRelease(w.canvas(), Qt::LeftButton, {}, on - QPoint(0, 50));
    QCoreApplication::processEvents();
    const GradationDocument dragged = s.doc;
    ASSERT_NE(dragged.channels[0].controlPoints, before.channels[0].controlPoints);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QString::fromUtf8("元に戻す: ポイントの移動(&U)"));

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.doc.channels[0].controlPoints, before.channels[0].controlPoints);
    EXPECT_EQ(s.doc.colorLine[0], before.colorLine[0]);
    EXPECT_EQ(test::countDifferences(s.buffers.gradationBuffer(s.doc.direction), pictureBefore), 0);
    EXPECT_EQ(redo->text(), QString::fromUtf8("やり直し: ポイントの移動(&R)"));
    EXPECT_FALSE(undo->isEnabled());

    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(s.doc.channels[0].controlPoints, dragged.channels[0].controlPoints);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // nothing to redo
    EXPECT_EQ(s.doc.channels[0].controlPoints, dragged.channels[0].controlPoints);

    // Undo, then a new step: what could be redone is gone.
    w.dispatchCommand(kCmdUndo);
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.cmy = true;
        return kToolOk;
    });
    w.dispatchCommand(kCmdCmy);
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->text(), QString::fromUtf8("元に戻す: CMYモードの変更(&U)"));
    w.hide();
}

// Undoing a length change lays the windows out for the old length again; the shortcuts of the
// File menu are there; the wheel scrolls both windows in their steps.
TEST(Undo, ALengthChangeUndoneRestoresTheLayoutAndTheWheelScrolls) {
    TestApp app(QSize(1024, 400));
    AppState& s = app.state();
    const GradationDocument before = s.doc;
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 1600;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdLength);
    ASSERT_EQ(s.mainLayout.contentWidth, 1712);
    app.window->dispatchCommand(kCmdUndo);
    EXPECT_EQ(s.doc.length, 512);
    EXPECT_EQ(s.mainLayout.contentWidth, 624);
    EXPECT_EQ(s.bitmapLayout.imageHeight, 512);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(s.doc.channels[ch].controlPoints, before.channels[ch].controlPoints);
    }
    const std::pair<int, const char*> shortcuts[] = {
        {kCmdNew, "Ctrl+N"}, {kCmdOpen, "Ctrl+O"}, {kCmdSave, "Ctrl+S"}, {kCmdExit, "Ctrl+Q"}};
    for (const auto& [id, keys] : shortcuts) {
        EXPECT_EQ(findCommandAction(app.window, id)->shortcut(), QKeySequence(keys)) << keys;
    }

    app.window->dispatchCommand(kCmdRedo);
    app.window->show();
    QCoreApplication::processEvents();
    const auto wheel = [](QWidget* target, int angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(20, 20), target->mapToGlobal(QPointF(20, 20)), {}, {0, angle},
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    const int lines = QApplication::wheelScrollLines();
    wheel(app.window->canvas(), -120, Qt::NoModifier); // one notch towards the user: down
    EXPECT_EQ(s.mainLayout.vertical.pos, 2 * lines);
    wheel(app.window->canvas(), -120, Qt::ShiftModifier);
    EXPECT_EQ(s.mainLayout.horizontal.pos, 2 * lines);
    EXPECT_EQ(app.window->horizontalBar()->value(), 2 * lines);
    BitmapWindow* bw = app.window->gradationWindow().window();
    bw->show();
    QCoreApplication::processEvents();
    wheel(bw->picture(), -240, Qt::NoModifier);
    EXPECT_EQ(s.bitmapLayout.along.pos, 4 * lines);
}

} // namespace
} // namespace spectrane
