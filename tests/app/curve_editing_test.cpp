// Editing through the canvas with real mouse events: drags, the right button, the point menu,
// undo and redo.
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "editing/hit_test.h"
#include "editing/point_commands.h"
#include "files/line_data_file.h"
#include "model/gradation_render.h"

#include "app_test_support.h"

#include <QMouseEvent>

#include <cmath>

namespace spectrane {
namespace {

using test::TestApp;

// A mouse event as the window system delivers it, with the buttons held at that moment.
void send(QWidget* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

// A press on empty plot moves nothing; a drag moves point, curve, gradation and ring as one step
// that Ctrl+Z puts back, pixels too; a length undone lays the windows out for the old length.
TEST(CurveEditing, ADragMovesPointCurveAndGradationAsOneUndoStep) {
    TestApp app;
    app.showKnownCurves();
    AppState& s = app.state();
    CanvasWidget* canvas = app.window->canvas();
    const GradationDocument before = s.doc;
    const Surface pictureBefore = s.buffers.gradationBuffer(1);
    ASSERT_EQ(HitTestAnchor(s.doc, 300, 330, 0), -1);
    app.drag(app.at({300, 330}), app.at({330, 300}));
    EXPECT_EQ(encodeLineData(s.doc), encodeLineData(before));
    EXPECT_FALSE(s.history.canUndo());

    const CurvePoint a = s.doc.channels[0].anchorPoints[1];
    const QPoint press = app.at(a);
    QTest::mouseMove(canvas, press);
    QTest::mousePress(canvas, Qt::LeftButton, {}, press);
    EXPECT_TRUE(s.edit.dragging);
    for (int dy = 10; dy <= 40; dy += 10) {
        QTest::mouseMove(canvas, press + QPoint(6, -dy));
        app.window->worker().waitUntilIdle();
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, press + QPoint(6, -40));
    EXPECT_FALSE(s.edit.dragging);
    const CurvePoint moved = s.doc.channels[0].anchorPoints[1];
    EXPECT_NEAR(moved.y, std::trunc(a.y) - 40 + s.edit.grabOffsetY, 1e-6);
    const int dot = static_cast<int>(moved.x) - 56;
    EXPECT_GT(s.doc.colorLine.level(0, dot), before.colorLine.level(0, dot) + 20);
    EXPECT_EQ(s.doc.channels[1].controlPoints, before.channels[1].controlPoints);
    const BitmapWindowLayout& l = s.bitmapLayout; // direction 1: the gradation runs downwards
    EXPECT_EQ(s.buffers.gradationBuffer(1).pixel(l.marginX + 5, l.marginY + dot),
              mixedColor(s.doc.colorLine, dot, {}));
    QCoreApplication::processEvents(); // the queued repaint
    EXPECT_EQ(canvas->grab().toImage().pixel(app.at({moved.x + 16, moved.y})) & 0xffffff,
              kHoverRingColor);

    const auto dragged = s.doc.channels[0].controlPoints;
    QTest::keyClick(app.window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.doc.colorLine[0], before.colorLine[0]);
    EXPECT_EQ(test::countDifferences(s.buffers.gradationBuffer(1), pictureBefore), 0);
    QTest::keyClick(app.window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(s.doc.channels[0].controlPoints, dragged);

    app.window->dispatchCommand(kCmdUndo);
    app.run(kCmdLength, [](AppState& st) { st.doc.length = 1600; });
    ASSERT_EQ(s.mainLayout.contentWidth, 1712);
    app.window->dispatchCommand(kCmdUndo);
    EXPECT_EQ(std::tuple(s.doc.length, s.mainLayout.contentWidth, s.bitmapLayout.imageHeight),
              std::tuple(512, 624, 512));
    EXPECT_EQ(s.doc.channels[0].controlPoints, before.channels[0].controlPoints);
}

// Every change is one undo step, undone and redone byte for byte; undo and redo make current the
// channel whose curve the step changed, if only one. A click that moves nothing is no step.
TEST(CurveEditing, EachChangeIsOneStepUndoneAndRedoneByteForByte) {
    TestApp app;
    app.showKnownCurves();
    AppState& s = app.state();
    MainWindow& w = *app.window;
    CanvasWidget* canvas = w.canvas();
    const auto bytes = [&] { return encodeLineData(s.doc); };
    const auto other = test::openDocumentFromAnchors(700, {{56, 100}, {300, 300}, {755, 20}});
    ASSERT_TRUE(writeLineDataFile(app.file("other.spd"), *other));
    using Answer = std::function<void(AppState&)>;
    const auto command = [&](int id, Answer answer, bool popup = false) {
        return [&, id, answer, popup] {
            app.toolAnswers.push_back(answer);
            popup ? w.dispatchBitmapPopup(id) : w.dispatchCommand(id);
        };
    };
    const auto pointMenu = [&](int id, Answer answer = {}) {
        return [&, id, answer] {
            if (answer) {
                app.toolAnswers.push_back(answer);
            }
            s.edit.hoveredPoint = 2;
            app.popupAnswers = {id};
            w.editorPopupAt({});
        };
    };
    const auto drag = [&] {
        const QPoint p = app.at(s.doc.channels[1].anchorPoints[1]);
        app.drag(p, p + QPoint(5, -30));
    };
    const struct {
        const char* name;
        std::function<void()> run;
        ChannelIndex channel; // made current by undo and redo; -1: the current one stays
    } rows[] = {
        {"drag", drag, 1},
        {"insert", pointMenu(kPopupInsertPoint), 1},
        {"delete", pointMenu(kPopupDeletePoint), 1},
        {"set position",
         pointMenu(kPopupSetPosition,
                   [](AppState& st) {
                       st.edit.positionDot = 300;
                       st.edit.positionLevel = 60;
                   }),
         1},
        {"length", command(kCmdLength, [](AppState& st) { st.doc.length = 900; }), -1},
        {"popup length",
         command(
             kPopupLength, [](AppState& st) { st.doc.length = 600; }, true),
         -1},
        {"direction", command(kCmdDirection, [](AppState& st) { st.doc.direction = 2; }), -1},
        {"popup direction",
         command(
             kPopupDirection, [](AppState& st) { st.doc.direction = 3; }, true),
         -1},
        {"loop", command(kCmdLoop, [](AppState& st) { st.doc.loop = true; }), -1},
        {"cmy", command(kCmdCmy, [](AppState& st) { st.doc.mode = ColorMode::Cmy; }), -1},
        {"oklch on", [&] { w.dispatchCommand(kCmdOklch); }, -1},
        {"equalize", [&] { w.dispatchCommand(kCmdEqualize); }, -1},
        {"oklch off",
         [&] {
             w.dispatchCommand(kCmdOklch);
             EXPECT_EQ(s.doc.mode, ColorMode::Rgb); // CMY is the CMY window's to choose
         },
         -1},
        {"oklch on again", [&] { w.dispatchCommand(kCmdOklch); }, -1},
        {"cmy from oklch", command(kCmdCmy, [](AppState& st) { st.doc.mode = ColorMode::Cmy; }),
         -1},
        {"synchro",
         command(kCmdSynchro,
                 [](AppState& st) {
                     st.doc.synchro = true;
                     st.doc.synchroChannels = {false, true, false};
                 }),
         -1},
        {"new", command(kCmdNew, [](AppState&) {}), -1},
        {"open",
         [&] {
             app.fileAnswers = {app.path("other.spd")};
             w.dispatchCommand(kCmdOpen);
         },
         -1},
        {"import",
         [&] {
             app.fileAnswers = {app.path("t.csv"), app.path("t.csv")};
             w.dispatchCommand(kCmdExport);
             w.dispatchCommand(kCmdImport);
         },
         -1},
    };
    for (const auto& row : rows) {
        s.doc.currentChannel = 1;
        s.history.reset(s.doc);
        const auto before = bytes();
        row.run();
        const auto after = bytes();
        EXPECT_NE(after, before) << row.name;
        const ChannelIndex expected = row.channel == -1 ? 2 : row.channel;
        s.doc.currentChannel = 2;
        w.dispatchCommand(kCmdUndo);
        EXPECT_EQ(bytes(), before) << row.name;
        EXPECT_EQ(s.doc.currentChannel, expected) << row.name;
        EXPECT_FALSE(s.history.canUndo()) << row.name; // exactly one step
        s.doc.currentChannel = 2;
        w.dispatchCommand(kCmdRedo);
        EXPECT_EQ(bytes(), after) << row.name;
        EXPECT_EQ(s.doc.currentChannel, expected) << row.name;
    }

    s.doc.currentChannel = 2;
    const auto before = bytes();
    const QPoint p = app.at(s.doc.channels[2].anchorPoints[1]);
    send(canvas, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    send(canvas, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    w.worker().waitUntilIdle();
    send(canvas, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(s.history.undoLabel(), "インポート");
}

// The left release may go to a popup or elsewhere: the bare pointer seen next ends the drag and
// moves nothing.
TEST(CurveEditing, ADragEndsWhenTheButtonIsSeenUpWhereverItsReleaseWent) {
    TestApp app;
    app.showKnownCurves();
    AppState& s = app.state();
    QWidget* canvas = app.window->canvas();
    const QPoint on = app.at(s.doc.channels[0].anchorPoints[2]);
    for (bool byPopup : {false, true}) {
        send(canvas, QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
        send(canvas, QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
        ASSERT_TRUE(s.edit.dragging);
        send(canvas, QEvent::MouseMove, on + QPoint(0, -20), Qt::NoButton, Qt::LeftButton);
        app.window->worker().waitUntilIdle();
        if (byPopup) { // the point menu takes the left release
            send(canvas, QEvent::MouseButtonPress, on + QPoint(0, -20), Qt::RightButton,
                 Qt::LeftButton | Qt::RightButton);
            send(canvas, QEvent::MouseButtonRelease, on + QPoint(0, -20), Qt::RightButton,
                 Qt::LeftButton);
            EXPECT_FALSE(s.edit.dragging);
        }
        const auto held = s.doc.channels[0].controlPoints;
        send(canvas, QEvent::MouseMove, on + QPoint(0, 60), Qt::NoButton, Qt::NoButton);
        app.window->worker().waitUntilIdle();
        EXPECT_FALSE(s.edit.dragging) << byPopup;
        EXPECT_EQ(s.doc.channels[0].controlPoints, held) << byPopup;
    }
}

// The right button on empty plot switches the channel, even with a point still highlighted from
// before (a press hit-tests where it is); over a point it opens the point menu.
TEST(CurveEditing, RightButtonSwitchesChannelsOrOpensThePointMenu) {
    TestApp app;
    app.showKnownCurves();
    AppState& s = app.state();
    CanvasWidget* canvas = app.window->canvas();
    const QPoint far = app.at({500, 330});
    for (ChannelIndex expected : {1, 2, 0}) {
        send(canvas, QEvent::MouseMove, app.at(s.doc.channels[0].anchorPoints[1]), Qt::NoButton,
             Qt::NoButton);
        ASSERT_EQ(s.edit.hoveredPoint, 1);
        send(canvas, QEvent::MouseButtonPress, far, Qt::RightButton, Qt::RightButton);
        send(canvas, QEvent::MouseButtonRelease, far, Qt::RightButton, Qt::NoButton);
        app.window->worker().waitUntilIdle();
        EXPECT_EQ(s.doc.currentChannel, expected);
    }
    EXPECT_EQ(app.popupsShown, 0);

    const CurvePoint b = s.doc.channels[0].anchorPoints[2];
    QTest::mouseMove(canvas, app.at(b));
    ASSERT_EQ(s.edit.hoveredPoint, 2);
    app.popupAnswers = {kPopupSetPosition};
    app.toolActions.push_back([&](QWidget* win) {
        EXPECT_EQ(test::control<QLineEdit>(win, 1008)->text().toInt(), std::floor(b.x - 56));
        test::setText(win, 1008, "300");
        test::setText(win, 1024, "150");
        test::click(win, 1);
    });
    QTest::mouseClick(canvas, Qt::RightButton, {}, app.at(b));
    EXPECT_EQ(app.popupsShown, 1);
    EXPECT_EQ(app.tools.back(),
              std::pair(ToolWindowKind::PositionSet, static_cast<QWidget*>(app.window)));
    EXPECT_NEAR(s.doc.channels[0].anchorPoints[2].x, 356.0, 1e-6);
    EXPECT_NEAR(s.doc.channels[0].anchorPoints[2].y, 170.0, 1e-6);
}

} // namespace
} // namespace spectrane
