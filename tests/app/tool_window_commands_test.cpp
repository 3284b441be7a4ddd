// The commands that open tool windows, run end to end with the real windows: New, the length
// change from the gradation window's popup, loop, direction, save bitmap and set position.
#include "app/bitmap_window.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "editing/point_commands.h"
#include "toolwindows/position_window.h"

#include "app_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::TestApp;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

template <class T = QWidget> T* ctl(QWidget* w, int id) {
    return w->findChild<T*>(QStringLiteral("id%1").arg(id));
}

void click(QWidget* w, int id) {
    ctl<QAbstractButton>(w, id)->click();
}

void type(QWidget* w, int id, const char* text) {
    ctl<QLineEdit>(w, id)->setText(u(text));
}

TEST(ToolWindowCommands, NewWithLoopFromTheMenu) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    s.doc.synchro = 1;
    s.doc.synchroChannels = {1, 1, 0};
    w.updateSynchroBoxes(false);
    s.doc.thickness = 400;
    bool stayedOpen = false;
    app.ui.toolActions.push_back([&](QWidget* win) {
        type(win, 1008, "1601");
        click(win, 1);
        stayedOpen = win->isVisible();
        type(win, 1008, "300");
        click(win, 1000);
        click(win, 1);
    });
    w.dispatchCommand(kCmdNew);
    ASSERT_EQ(app.ui.tools.size(), 1u);
    EXPECT_EQ(app.ui.tools[0].name, "Shinki_Wnd");
    EXPECT_EQ(app.ui.tools[0].owner, &w);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].title, u("グラデーションの長さ設定が不正です。"));
    EXPECT_EQ(s.doc.length, 300);
    EXPECT_EQ(s.doc.loop, 1);
    EXPECT_TRUE(findCommandAction(&w, kCmdLoop)->isChecked());
    EXPECT_EQ(s.doc.synchro, 0);
    EXPECT_TRUE(w.synchroBox(0)->isHidden());
    EXPECT_FALSE(findCommandAction(&w, kCmdSynchro)->isChecked());
    EXPECT_EQ(s.doc.thickness, 192);
    EXPECT_EQ(s.doc.channels[0].pointCount, 2); // fresh loop curves for 300 dots
    EXPECT_EQ(s.doc.colorLine[2][299].x, 56 + 299);
    EXPECT_EQ(s.mainLayout.contentWidth, 412);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.bitmapWindow()->isEnabled());
}

TEST(ToolWindowCommands, LengthChangeFromTheGradationWindowsPopup) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    ASSERT_NE(w.bitmapWindow(), nullptr);
    const auto before = s.doc.channels;
    bool mainDisabled = false;
    app.ui.toolActions.push_back([&](QWidget* win) {
        mainDisabled = !w.isEnabled();
        type(win, 1008, "600");
        click(win, 1012); // extend or cut the right end
        click(win, 1);
    });
    w.dispatchBitmapPopup(kPopupLength);
    ASSERT_EQ(app.ui.tools.size(), 1u);
    EXPECT_EQ(app.ui.tools[0].name, "SettingLengthWnd");
    EXPECT_EQ(app.ui.tools[0].owner, w.bitmapWindow());
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(s.doc.length, 600);
    EXPECT_EQ(s.settings.lengthChangeMethod, 3);
    for (int ch = 0; ch < 3; ++ch) {
        const ChannelCurve& c = s.doc.channels[ch];
        ASSERT_EQ(c.pointCount, before[ch].pointCount);
        for (int i = 0; i + 1 < c.pointCount; ++i) {
            EXPECT_EQ(c.controlPoints[i], before[ch].controlPoints[i]);
        }
        EXPECT_EQ(c.controlPoints[c.pointCount - 1].x, 655.0); // only the last point moves
        EXPECT_EQ(s.doc.colorLine[ch][599].x, 56 + 599);
    }
    EXPECT_EQ(s.mainLayout.contentWidth, 712);
    EXPECT_TRUE(w.bitmapWindow()->windowTitle().contains(QStringLiteral("600")));

    // Cancelled from the popup: nothing changes.
    app.ui.toolActions.push_back([](QWidget* win) {
        type(win, 1008, "100");
        click(win, 2);
    });
    w.dispatchBitmapPopup(kPopupLength);
    EXPECT_EQ(s.doc.length, 600);
}

TEST(ToolWindowCommands, LoopOnKeepsThePointsAndOffPinsTheEnds) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    const auto before = s.doc.channels;
    app.ui.toolActions.push_back([](QWidget* win) {
        click(win, 1000);
        click(win, 1);
    });
    w.dispatchCommand(kCmdLoop);
    EXPECT_EQ(app.ui.tools.back().name, "LoopOnOffWnd");
    EXPECT_EQ(s.doc.loop, 1);
    EXPECT_TRUE(findCommandAction(&w, kCmdLoop)->isChecked());
    EXPECT_EQ(s.doc.channels[1].controlPoints, before[1].controlPoints);

    app.ui.toolActions.push_back([](QWidget* win) {
        click(win, 1000);
        click(win, 1);
    });
    w.dispatchCommand(kCmdLoop);
    EXPECT_EQ(s.doc.loop, 0);
    EXPECT_FALSE(findCommandAction(&w, kCmdLoop)->isChecked());
    for (int ch = 0; ch < 3; ++ch) {
        const ChannelCurve& c = s.doc.channels[ch];
        EXPECT_EQ(c.controlPoints[0].x, 56.0);
        EXPECT_EQ(c.controlPoints[c.pointCount - 1].x, 55.0 + s.doc.length);
    }
}

TEST(ToolWindowCommands, DirectionAndSaveBitmapWithTheWindowWidth) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    app.ui.toolActions.push_back([](QWidget* win) {
        click(win, 1003); // 1 -> 0
        click(win, 1);
    });
    w.dispatchCommand(kCmdDirection);
    EXPECT_EQ(app.ui.tools.back().name, "SettingWnd");
    EXPECT_EQ(s.doc.direction, 0);
    EXPECT_EQ(s.bitmapLayout.imageWidth, 512);

    // The window width box takes the gradation window's thickness, then the file is written.
    app.ui.toolActions.push_back([](QWidget* win) {
        click(win, 1000);
        click(win, 1);
    });
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "w.bmp").string()));
    w.dispatchCommand(kCmdSaveBitmap);
    EXPECT_EQ(app.ui.tools.back().name, "SaveBitMapWnd");
    EXPECT_EQ(s.settings.saveWidth, s.doc.thickness);
    EXPECT_EQ(s.settings.useWindowWidth, 1);
    const auto bytes = test::readBytes(app.dir / "w.bmp");
    // 512 wide (direction 0), thickness rows of 512 * 3 bytes, after the 54-byte header.
    EXPECT_EQ(bytes.size(), 54u + 512u * 3u * static_cast<unsigned>(s.doc.thickness));
    EXPECT_EQ(app.ui.messages.back().text, u("ビットマップを保存しました。"));
}

TEST(ToolWindowCommands, SetPositionOnAnEndPointChangesOnlyTheLevel) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    s.doc.currentChannel = 1;
    const int last = s.doc.channels[1].pointCount - 1;
    const CurvePoint before = s.doc.channels[1].anchorPoints[last];
    const PositionRequest r = positionRequestFor(s.doc, last);
    EXPECT_EQ(r.dot, 511);
    EXPECT_TRUE(r.fixedDot);
    s.edit.hoveredPoint = last;
    bool dotEditable = true;
    app.ui.popupAnswers = {kPopupSetPosition};
    app.ui.toolActions.push_back([&](QWidget* win) {
        dotEditable = ctl<QLineEdit>(win, 1008)->isEnabled();
        type(win, 1008, "100"); // the disabled edit's text does not count
        type(win, 1024, "200");
        click(win, 1);
    });
    w.editorPopupAt(w.mapToGlobal(QPoint(100, 100)));
    EXPECT_FALSE(dotEditable);
    EXPECT_EQ(app.ui.tools.back().owner, &w); // owned by the main window
    const CurvePoint after = s.doc.channels[1].anchorPoints[last];
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, 320 - 200);
    EXPECT_EQ(s.doc.colorLine.level(1, 511), 200);
    EXPECT_TRUE(w.isEnabled());
}

} // namespace
} // namespace spectrane
