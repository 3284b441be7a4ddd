// The main window's commands end to end: start-up and shut-down, New, Open, Save, the bitmap,
// the length, direction, loop, CMY and synchro commands, exit, scrolling, the gradation window.
#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "files/line_data_file.h"
#include "model/gradation_render.h"
#include "qtsupport/language.h"
#include "views/graph_painter.h"

#include "app_test_support.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::TestApp;
using test::u;

TEST(MainWindow, MenuBarHasEveryItemInOrder) {
    TestApp app;
    const std::vector<std::vector<int>> ids = {{1034, 1035, 1036, 0, 1037, 1051, 1052, 0, 1038},
                                               {1049, 1050, 0, 1039, 1040},
                                               {1041, 1042, 1043, 0, 1053},
                                               {1044, 1045, 1046, 1047},
                                               {1048}};
    const char* titles[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "設定(&S)", "ヘルプ(&H)"};
    const QList<QAction*> top = app.window->menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    for (int m = 0; m < 5; ++m) {
        EXPECT_EQ(top[m]->text(), u(titles[m]));
        const QList<QAction*> items = top[m]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(ids[m].size()));
        for (std::size_t i = 0; i < ids[m].size(); ++i) {
            EXPECT_EQ(items[i]->isSeparator(), ids[m][i] == 0);
            EXPECT_EQ(items[i]->data().toInt(), ids[m][i]);
            EXPECT_EQ(items[i]->isCheckable(),
                      (ids[m][i] >= 1041 && ids[m][i] <= 1047) || ids[m][i] == 1053);
        }
    }
    EXPECT_EQ(findCommandAction(app.window, kCmdNew)->text(), u("新規作成(&N)"));
    EXPECT_EQ(app.window->windowTitle(), QStringLiteral("Spectrane  ver.3.02"));

    // In English: the same items and mnemonic letters, the title as it is.
    ASSERT_TRUE(installTranslations(Language::English));
    app.restart();
    QStringList english;
    for (QAction* menu : app.window->menuBar()->actions()) {
        english << menu->text();
    }
    EXPECT_EQ(english, QStringList({"&File", "&Edit", "&View", "&Settings", "&Help"}));
    EXPECT_EQ(findCommandAction(app.window, kCmdNew)->text(), u("&New…"));
    EXPECT_EQ(findCommandAction(app.window, kCmdExit)->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(findCommandAction(app.window, kCmdLength)->text(), u("Gradation &Length…"));
    EXPECT_EQ(app.window->windowTitle(), QStringLiteral("Spectrane  ver.3.02"));
    installTranslations(Language::Japanese);
}

TEST(MainWindow, FirstStartDefaultsAndTheRecordWrittenAtExit) {
    TestApp app;
    AppState& s = app.state();
    EXPECT_EQ(s.doc.length, 512);
    EXPECT_EQ(s.doc.direction, 1);
    EXPECT_EQ(s.doc.thickness, 192);
    EXPECT_EQ(s.doc.channels[0].pointCount, 6);
    EXPECT_TRUE(app.window->gradationWindow().isOpen()); // opened on a first start
    for (int id : {kCmdTitleWindow, kCmdBitmapWindow, kCmdPointPositions}) {
        EXPECT_TRUE(app.checked(id)) << id;
    }
    for (int id : {kCmdTopmost, kCmdLoop, kCmdCmy, kCmdSynchro}) {
        EXPECT_FALSE(app.checked(id)) << id;
    }
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());

    // Toggles change only their setting: no window opens.
    app.window->dispatchCommand(kCmdTitleWindow);
    EXPECT_FALSE(app.checked(kCmdTitleWindow));
    EXPECT_TRUE(app.ui.tools.empty());
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.synchro = true;
        st.doc.synchroChannels = {false, true, true};
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdSynchro);
    app.window->dispatchCommand(kCmdBitmapWindow); // closes the gradation window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app.window->gradationWindow().isOpen());
    EXPECT_FALSE(app.checked(kCmdBitmapWindow));

    app.restart();
    EXPECT_EQ(test::readBytes(app.file("Setting.ini")).size(), 52u);
    AppState& again = app.state();
    EXPECT_FALSE(again.settings.showTitleWindow);
    EXPECT_TRUE(again.doc.synchro);
    EXPECT_FALSE(app.window->gradationWindow().isOpen()); // closed at exit, stays closed
    EXPECT_TRUE(app.checked(kCmdSynchro));
    EXPECT_FALSE(app.window->synchroBox(0)->isHidden());
    EXPECT_FALSE(app.window->synchroBox(0)->isChecked());
    EXPECT_TRUE(app.window->synchroBox(1)->isChecked());
    // Synchro at start-up: the checked channels start with the same curve.
    EXPECT_EQ(again.doc.channels[1].controlPoints, again.doc.channels[2].controlPoints);
}

TEST(MainWindow, StartUpRequestsRunAndClosingWhileTheTitleWindowIsUpEndsCleanly) {
    TestApp app(QSize(1920, 1080), true);
    // The worker asks for the gradation window, then for the title window, and waits for it;
    // the program is closed while the title window is up.
    bool gradationShown = false;
    bool workerWaiting = false;
    bool settingsWritten = false;
    app.ui.toolActions.push_back([&](QWidget* title) {
        gradationShown = app.window->gradationWindow().window()->isVisible();
        workerWaiting = !app.window->worker().ready();
        app.window->close(); // the worker is released from its request and joined
        settingsWritten = std::filesystem::exists(app.file("Setting.ini"));
        title->close();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return settingsWritten; }));
    EXPECT_EQ(app.ui.tools[0].kind, ToolWindowKind::Title);
    EXPECT_TRUE(gradationShown);
    EXPECT_TRUE(workerWaiting);
    app.stop();
}

TEST(MainWindow, NewTurnsSynchroOffAndMakesTheChosenDocument) {
    TestApp app;
    AppState& s = app.state();
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.synchro = true;
        st.doc.synchroChannels = {true, true, false};
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdSynchro);
    EXPECT_FALSE(app.window->synchroBox(0)->isHidden());
    s.doc.thickness = 400;
    bool stayedOpen = false;
    app.ui.toolActions.push_back([&](QWidget* w) {
        test::setText(w, 1008, "1601");
        test::click(w, 1);
        stayedOpen = w->isVisible();
        test::setText(w, 1008, "300");
        test::click(w, 1000); // loop
        test::click(w, 1);
    });
    app.window->dispatchCommand(kCmdNew);
    EXPECT_EQ(app.ui.tools.back().kind, ToolWindowKind::NewGradation);
    EXPECT_EQ(app.ui.tools.back().owner, app.window);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(s.doc.length, 300);
    EXPECT_TRUE(app.checked(kCmdLoop));
    EXPECT_FALSE(s.doc.synchro);
    EXPECT_EQ(s.doc.synchroChannels, (std::array<bool, 3>{}));
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());
    EXPECT_FALSE(app.checked(kCmdSynchro));
    EXPECT_EQ(s.doc.thickness, 192);
    EXPECT_EQ(s.doc.currentChannel, 0);
    EXPECT_EQ(s.doc.channels[0].pointCount, 2); // loop, 300 / 128 = 2 points
    EXPECT_EQ(s.doc.colorLine[2][299].x, 56 + 299);
    EXPECT_EQ(s.mainLayout.contentWidth, 412);
    EXPECT_TRUE(app.window->isEnabled());
    EXPECT_TRUE(app.window->gradationWindow().window()->isEnabled());

    const auto before = s.doc.channels[1].controlPoints;
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 900;
        return kToolCancel;
    });
    app.window->dispatchCommand(kCmdNew);
    EXPECT_EQ(s.doc.channels[1].controlPoints, before);
}

TEST(MainWindow, OpenAppliesGoodFilesAndRefusesBadOnesUntouched) {
    TestApp app;
    AppState& s = app.state();
    GradationDocument saved;
    saved.length = 700;
    saved.direction = 2;
    saved.loop = saved.cmy = saved.synchro = true;
    saved.synchroChannels = {true, false, true};
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        saved.channels[ch].pointCount = 3;
        for (int i = 0; i < 3; ++i) {
            saved.channels[ch].controlPoints[i] = {100.5 + 200 * i + ch, 100.25 + 50 * i};
        }
    }
    ASSERT_TRUE(writeLineDataFile(app.file("good.spd"), saved));
    test::writeBytes(app.file("bad.spd"), {0, 0, 0, 0, 0, 0, 0, 0, 9, 9});
    test::ByteBuilder v2;
    v2.i32(0).i32(400).i32(1).u8(1).i32(2).i32(2).i32(2); // length, direction, loop, counts
    for (int ch = 0; ch < 3; ++ch) {
        v2.point(100, 200).point(300, 150);
    }
    test::writeBytes(app.file("v2.spd"), v2.bytes);

    s.doc.currentChannel = 1;
    app.ui.fileAnswers = {app.path("good.spd"), app.path("bad.spd"), app.path("v2.spd")};
    app.window->dispatchCommand(kCmdOpen);
    EXPECT_TRUE(app.messages().empty());
    EXPECT_EQ(s.doc.length, 700);
    EXPECT_EQ(s.doc.direction, 2);
    EXPECT_EQ(s.doc.currentChannel, 0);
    EXPECT_EQ(s.doc.channels[2].controlPoints[1], saved.channels[2].controlPoints[1]);
    for (int id : {kCmdLoop, kCmdCmy, kCmdSynchro}) {
        EXPECT_TRUE(app.checked(id)) << id;
    }
    EXPECT_TRUE(app.window->synchroBox(0)->isChecked());
    EXPECT_FALSE(app.window->synchroBox(1)->isChecked());
    EXPECT_EQ(s.mainLayout.contentWidth, 812);
    EXPECT_EQ(s.bitmapLayout.imageWidth, 700);
    EXPECT_EQ(app.ui.fileStartFolders[0].toStdString(), app.file("RGBLineDataFiles").string());

    // A broken file: the failure message, and the document exactly as it was.
    const std::vector<std::uint8_t> before = encodeLineData(s.doc);
    app.window->dispatchCommand(kCmdOpen);
    EXPECT_EQ(app.ui.fileStartFolders[1].toStdString(), app.dir.path().string());
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_EQ(app.messages()[0].text, u("ファイルオープンに失敗"));
    EXPECT_EQ(app.messages()[0].title, u("メッセージ"));
    EXPECT_EQ(encodeLineData(s.doc), before);

    // A version 2 file: its warning first, then loaded with CMY and synchro off.
    app.window->dispatchCommand(kCmdOpen);
    ASSERT_EQ(app.messages().size(), 2u);
    EXPECT_EQ(app.messages()[1].text, u(kVersion2Warning));
    EXPECT_FALSE(s.doc.cmy || s.doc.synchro);
    EXPECT_TRUE(s.doc.loop);
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());
    EXPECT_FALSE(app.checked(kCmdCmy) || app.checked(kCmdSynchro));
}

TEST(MainWindow, SavesReportSuccessOnlyWhenWritten) {
    TestApp app;
    AppState& s = app.state();
    app.ui.fileAnswers = {app.path("out.spd"), app.path("missing/x.spd")};
    app.window->dispatchCommand(kCmdSave);
    app.window->dispatchCommand(kCmdSave);
    ASSERT_EQ(app.messages().size(), 2u);
    EXPECT_EQ(app.messages()[0].text, u("RGBラインデータを保存しました。"));
    EXPECT_EQ(app.messages()[1].text, u("ファイルオープンに失敗"));
    const LineDataReadResult back = readLineDataFile(app.file("out.spd"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.document->channels[1].controlPoints, s.doc.channels[1].controlPoints);

    // Bitmap: the width window, then the dialog in the bitmap folder, the file and its message.
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.settings.saveWidth = 30;
        return kToolOk;
    });
    app.ui.fileAnswers = {app.path("g.bmp")};
    app.window->dispatchCommand(kCmdSaveBitmap);
    EXPECT_EQ(app.ui.tools.back().kind, ToolWindowKind::SaveBitmap);
    EXPECT_EQ(test::readBytes(app.file("g.bmp")).size(), 47158u); // 30 x 512, direction 1
    EXPECT_EQ(app.messages().back().text, u("ビットマップを保存しました。"));
    EXPECT_EQ(app.messages().back().title, QStringLiteral("Message"));
    EXPECT_EQ(app.ui.fileStartFolders.back().toStdString(), app.file("Bitmaps").string());

    // From the gradation window's popup with the window's width: owned by that window.
    app.ui.toolActions.push_back([](QWidget* w) {
        test::click(w, 1000);
        test::click(w, 1);
    });
    app.ui.fileAnswers = {app.path("w.bmp")};
    app.window->dispatchBitmapPopup(kPopupSaveBitmap);
    EXPECT_EQ(app.ui.tools.back().owner, app.window->gradationWindow().window());
    EXPECT_EQ(s.settings.saveWidth, s.doc.thickness);
    EXPECT_EQ(test::readBytes(app.file("w.bmp")).size(), 54u + 192u * 3u * 512u);
}

TEST(MainWindow, LengthFromThePopupLoopAndDirectionChangeTheirDocument) {
    TestApp app;
    AppState& s = app.state();
    const auto before = s.doc.channels;
    bool mainDisabled = false;
    app.ui.toolActions.push_back([&](QWidget* w) {
        mainDisabled = !app.window->isEnabled();
        test::setText(w, 1008, "600");
        test::click(w, 1012); // extend or cut the right end
        test::click(w, 1);
    });
    app.window->dispatchBitmapPopup(kPopupLength);
    EXPECT_EQ(app.ui.tools.back().owner, app.window->gradationWindow().window());
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(app.window->isEnabled());
    EXPECT_EQ(s.doc.length, 600);
    EXPECT_EQ(s.settings.lengthChangeMethod, 3);
    for (int ch = 0; ch < 3; ++ch) {
        const ChannelCurve& c = s.doc.channels[ch];
        ASSERT_EQ(c.pointCount, before[ch].pointCount);
        EXPECT_TRUE(std::equal(c.controlPoints.begin(), c.controlPoints.begin() + c.pointCount - 1,
                               before[ch].controlPoints.begin()));
        EXPECT_EQ(c.controlPoints[c.pointCount - 1].x, 655.0); // only the last point moves
        EXPECT_EQ(s.doc.colorLine[ch][599].x, 56 + 599);
    }
    EXPECT_EQ(s.mainLayout.contentWidth, 712);
    EXPECT_TRUE(app.window->gradationWindow().window()->windowTitle().contains("600"));

    // Loop on keeps the points; off pins the ends to the looped curve.
    const auto kept = s.doc.channels[1].controlPoints;
    for (bool on : {true, false}) {
        app.ui.toolActions.push_back([](QWidget* w) {
            test::click(w, 1000);
            test::click(w, 1);
        });
        app.window->dispatchCommand(kCmdLoop);
        EXPECT_EQ(s.doc.loop, on);
        EXPECT_EQ(app.checked(kCmdLoop), on);
    }
    EXPECT_EQ(s.doc.channels[1].controlPoints[1], kept[0]); // a slot was added at the start
    for (int ch = 0; ch < 3; ++ch) {
        const ChannelCurve& c = s.doc.channels[ch];
        EXPECT_EQ(c.controlPoints[0].x, 56.0);
        EXPECT_EQ(c.controlPoints[c.pointCount - 1].x, 55.0 + 600);
    }

    // Direction: the gradation window's layout turns; the curves stay.
    app.ui.toolActions.push_back([](QWidget* w) {
        test::click(w, 1003); // 1 -> 0
        test::click(w, 1);
    });
    app.window->dispatchCommand(kCmdDirection);
    EXPECT_EQ(s.doc.direction, 0);
    EXPECT_EQ(s.bitmapLayout.imageWidth, 600);
}

TEST(MainWindow, ARefusedLengthChangeSaysSoAndLeavesTheDocument) {
    TestApp app;
    AppState& s = app.state();
    GradationDocument far; // a point far left of the gradation: stretching 800 times is refused
    far.length = 2;
    for (ChannelCurve& c : far.channels) {
        c.pointCount = 3;
        c.controlPoints[0] = {56, 100};
        c.controlPoints[1] = {-2e6, 100};
        c.controlPoints[2] = {57, 100};
    }
    ASSERT_TRUE(writeLineDataFile(app.file("far.spd"), far));
    app.ui.fileAnswers = {app.path("far.spd")};
    app.window->dispatchCommand(kCmdOpen);
    const std::vector<std::uint8_t> before = encodeLineData(s.doc);
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 1600;
        st.settings.lengthChangeMethod = 0;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdLength);
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_EQ(app.messages()[0].text, u("グラデーションの長さの変更に失敗しました。"));
    EXPECT_EQ(encodeLineData(s.doc), before);
    EXPECT_EQ(s.mainLayout.contentWidth, 300);
}

TEST(MainWindow, CmyRedrawsOnlyWhenTheModeChanged) {
    TestApp app;
    AppState& s = app.state();
    const Color marker = rgb(1, 2, 3);
    s.buffers.mainBuffer.setPixel(60, 380, marker);
    app.ui.toolAnswers.push_back([](AppState&) { return kToolOk; });
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_EQ(s.buffers.mainBuffer.pixel(60, 380), marker);
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.cmy = true;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_TRUE(app.checked(kCmdCmy));
    EXPECT_EQ(s.colors.marker, kCmyMarkerColor);
    const Color mixed = s.buffers.mainBuffer.pixel(56 + 4, 380);
    EXPECT_EQ(redOf(mixed), 255 - s.doc.colorLine.level(0, 4)); // the complement of the levels
    EXPECT_EQ(blueOf(mixed), 255 - s.doc.colorLine.level(2, 4));
}

TEST(MainWindow, ExitAsksButTheCloseBoxDoesNot) {
    TestApp app;
    app.window->show();
    app.window->dispatchCommand(kCmdExit); // answered No
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_EQ(app.messages()[0].text, u("終了してよろしいですか？"));
    EXPECT_EQ(app.messages()[0].title, u("終了確認"));
    EXPECT_TRUE(app.window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(app.file("Setting.ini")));
    app.window->close();
    EXPECT_EQ(app.messages().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(app.file("Setting.ini")));
}

TEST(MainWindow, ScrollsLongGradationsAndKeepsTheBoxesOnTheirBars) {
    TestApp app(QSize(1024, 400));
    AppState& s = app.state();
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 1600;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdNew);
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.synchro = true;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdSynchro);
    app.window->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(s.mainLayout.outer.width, 1024);
    EXPECT_EQ(s.mainLayout.outer.x, 0);
    QScrollBar* h = app.window->horizontalBar();
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.mainLayout.horizontal.pos, 2);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(h->value(), 18);
    h->setSliderPosition(100000);
    EXPECT_EQ(s.mainLayout.horizontal.pos, s.mainLayout.horizontal.maxPos());
    QScrollBar* v = app.window->verticalBar();
    EXPECT_FALSE(v->isHidden());
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.mainLayout.vertical.pos, 16);
    EXPECT_EQ(app.window->synchroBox(1)->pos(), QPoint(18 - s.mainLayout.horizontal.pos, 418 - 16));
}

TEST(MainWindow, GradationWindowFollowsResizingAndOwnsDialogsWhenOnTop) {
    TestApp app;
    AppState& s = app.state();
    BitmapWindow* bw = app.window->gradationWindow().window();
    bw->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(bw->windowTitle(), QStringLiteral("Gradation BitMap [ 192 * 512 ]  Spectrane"));
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.direction = 0;
        return kToolOk;
    });
    app.window->dispatchCommand(kCmdDirection);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bw->horizontalBar()->isHidden());
    EXPECT_TRUE(bw->verticalBar()->isHidden());
    bw->resize(560, 300 + bw->horizontalBar()->sizeHint().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(s.doc.thickness, 252);
    EXPECT_EQ(bw->windowTitle(), QStringLiteral("Gradation BitMap [ 512 * 252 ]  Spectrane"));
    const Surface& buf = s.buffers.gradationBuffer(0);
    EXPECT_EQ(buf.pixel(24, 24 + 251), mixedColor(s.doc.colorLine, 0, false));
    EXPECT_EQ(buf.pixel(24 + 511, 24), mixedColor(s.doc.colorLine, 511, false));

    EXPECT_EQ(app.window->dialogs().owner(), app.window);
    app.window->dispatchCommand(kCmdTopmost);
    EXPECT_TRUE(app.checked(kCmdTopmost));
    EXPECT_TRUE(findCommandAction(bw, kPopupTopmost)->isChecked());
    app.window->dispatchCommand(kCmdAbout);
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_EQ(app.messages()[0].owner, bw);
    EXPECT_EQ(app.messages()[0].title, QStringLiteral("Version Info."));
    EXPECT_TRUE(app.messages()[0].text.contains("version 3.02"));
    app.window->dispatchBitmapPopup(kPopupTopmost);
    EXPECT_FALSE(app.checked(kCmdTopmost));
    EXPECT_EQ(app.window->dialogs().owner(), app.window);

    // A settings file that cannot be replaced: the failure is shown, shut-down goes on.
    std::filesystem::create_directories(app.file("Setting.ini") / "blocked");
    app.stop();
    ASSERT_EQ(app.messages().size(), 2u);
    EXPECT_EQ(app.messages()[1].text, u("ファイルオープンに失敗"));
    EXPECT_EQ(app.messages()[1].title, QStringLiteral("Spectrane"));
    EXPECT_EQ(app.messages()[1].icon, QMessageBox::Warning);
}

} // namespace
} // namespace spectrane
