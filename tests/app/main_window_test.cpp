#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "files/line_data_file.h"
#include "files/settings_file.h"
#include "model/gradation_render.h"
#include "views/channel_colors.h"
#include "views/graph_painter.h"

#include "app_test_support.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::TestApp;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

bool checked(MainWindow& w, int id) {
    return findCommandAction(&w, id)->isChecked();
}

TEST(MainWindow, MenuTreeHasEveryItemWithItsIdInOrder) {
    TestApp app;
    struct Expected {
        const char* title;
        std::vector<std::pair<int, const char*>> items; // id 0 = separator
    };
    const Expected menus[] = {
        {"ファイル(&F)",
         {{1034, "新規作成(&N)"},
          {1035, "ラインデータ・ファイルを開く(&O)"},
          {1036, "ラインデータの保存(&S)"},
          {0, ""},
          {1037, "ビットマップ画像として保存(&B)"},
          {0, ""},
          {1038, "終了(&X)"}}},
        {"編集(&E)",
         {{1039, "グラデーションの長さの変更(&L)"}, {1040, "グラデーションの方向の変更(&D)"}}},
        {"表示(&V)",
         {{1041, "タイトルウインドウの表示(&T)"},
          {1042, "ビットマップ・ウインドウの表示(&B)"},
          {1043, "ビットマップ・ウインドウを常に最前面にする(&W)"}}},
        {"設定(&S)",
         {{1044, "ポイント位置の表示(&P)"},
          {1045, "グラデーションのループ(&L)"},
          {1046, "CMY (減法混合) モード(&C)"},
          {1047, "シンクロ・モード(&S)"}}},
        {"ヘルプ(&H)", {{1048, "バージョン情報(&A)"}}},
    };
    const QList<QAction*> top = app.window->menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    for (int m = 0; m < 5; ++m) {
        EXPECT_EQ(top[m]->text(), u(menus[m].title));
        const QList<QAction*> items = top[m]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].items.size())) << m;
        for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
            const auto& [id, text] = menus[m].items[i];
            if (id == 0) {
                EXPECT_TRUE(items[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(items[i]->data().toInt(), id);
            EXPECT_EQ(items[i]->text(), u(text));
        }
    }
    EXPECT_EQ(app.window->windowTitle(), QStringLiteral("Spectrane  ver.3.02"));
}

TEST(MainWindow, FirstStartUsesDefaultsAndShutDownWritesTheRecord) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    EXPECT_EQ(s.doc.length, 512);
    EXPECT_EQ(s.doc.direction, 1);
    EXPECT_EQ(s.doc.thickness, 192);
    EXPECT_EQ(s.doc.channels[0].pointCount, 6);
    EXPECT_NE(w.bitmapWindow(), nullptr); // opened on a first start
    EXPECT_TRUE(checked(w, kCmdTitleWindow));
    EXPECT_TRUE(checked(w, kCmdBitmapWindow));
    EXPECT_FALSE(checked(w, kCmdTopmost));
    EXPECT_TRUE(checked(w, kCmdPointPositions));
    EXPECT_FALSE(checked(w, kCmdLoop));
    for (int ch = 0; ch < 3; ++ch) {
        EXPECT_TRUE(w.synchroBox(ch)->isHidden());
    }

    // Toggles change only the setting and its check mark.
    w.dispatchCommand(kCmdTitleWindow);
    EXPECT_FALSE(checked(w, kCmdTitleWindow));
    EXPECT_TRUE(app.ui.tools.empty());
    s.doc.loop = 1;
    s.doc.synchro = 1;
    s.doc.synchroChannels = {0, 1, 1};
    w.dispatchCommand(kCmdBitmapWindow); // closes the gradation window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.bitmapWindow(), nullptr);
    EXPECT_FALSE(checked(w, kCmdBitmapWindow));

    app.restart();
    const auto bytes = test::readBytes(app.dir / "Setting.ini");
    EXPECT_EQ(bytes.size(), 52u);
    AppState& again = app.state();
    EXPECT_EQ(again.settings.showTitleWindow, 0);
    EXPECT_EQ(again.doc.loop, 1);
    EXPECT_EQ(again.doc.synchro, 1);
    EXPECT_EQ(app.window->bitmapWindow(), nullptr); // closed at exit, stays closed
    EXPECT_TRUE(checked(*app.window, kCmdLoop));
    EXPECT_TRUE(checked(*app.window, kCmdSynchro));
    EXPECT_FALSE(app.window->synchroBox(0)->isHidden());
    EXPECT_FALSE(app.window->synchroBox(0)->isChecked());
    EXPECT_TRUE(app.window->synchroBox(1)->isChecked());
    // Synchro at start-up: the checked channels start with the same curve.
    EXPECT_EQ(again.doc.channels[1].controlPoints[0], again.doc.channels[2].controlPoints[0]);
}

TEST(MainWindow, NewTurnsSynchroOffAndMakesTheChosenLength) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();
    s.doc.synchro = 1;
    s.doc.synchroChannels = {1, 1, 0};
    w.updateSynchroBoxes(false);
    w.syncMenuChecks();
    EXPECT_FALSE(w.synchroBox(0)->isHidden());
    s.doc.thickness = 500;
    s.doc.currentChannel = 2;

    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 300;
        st.doc.direction = 0;
        st.doc.loop = 1;
        return 1;
    });
    w.dispatchCommand(kCmdNew);
    ASSERT_EQ(app.ui.tools.size(), 1u);
    EXPECT_EQ(app.ui.tools[0].name, "Shinki_Wnd");
    EXPECT_EQ(s.doc.synchro, 0);
    EXPECT_EQ(s.doc.synchroChannels, (std::array<bool, 3>{}));
    EXPECT_TRUE(w.synchroBox(0)->isHidden());
    EXPECT_FALSE(checked(w, kCmdSynchro));
    EXPECT_TRUE(checked(w, kCmdLoop));
    EXPECT_EQ(s.doc.thickness, 192);
    EXPECT_EQ(s.doc.currentChannel, 0);
    EXPECT_EQ(s.doc.channels[0].pointCount, 2); // loop, 300 / 128 = 2 points
    EXPECT_EQ(s.doc.colorLine[0][299].x, 56 + 299);
    EXPECT_EQ(s.mainLayout.contentWidth, 412);

    // Cancelled: nothing changes.
    const auto before = s.doc.channels[1].controlPoints;
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 900;
        return 2;
    });
    w.dispatchCommand(kCmdNew);
    EXPECT_EQ(s.doc.channels[1].controlPoints, before);
}

TEST(MainWindow, CmyConfirmedWithoutChangeRedrawsNothing) {
    TestApp app;
    AppState& s = app.state();
    const Color marker = rgb(1, 2, 3);
    s.buffers.mainBuffer.setPixel(60, 380, marker);
    app.ui.toolAnswers.push_back([](AppState&) { return 1; });
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_EQ(s.buffers.mainBuffer.pixel(60, 380), marker);

    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.cmy = 1;
        return 1;
    });
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_TRUE(checked(*app.window, kCmdCmy));
    EXPECT_EQ(s.colors.marker, kCmyMarkerColor);
    // The mixed colour bar now shows the complement of the levels.
    const int dot = 4;
    const Color mixed = s.buffers.mainBuffer.pixel(56 + dot, 380);
    EXPECT_EQ(redOf(mixed), 255 - s.doc.colorLine.level(0, dot));
    EXPECT_EQ(blueOf(mixed), 255 - s.doc.colorLine.level(2, dot));
}

TEST(MainWindow, OpenAppliesGoodFilesAndRefusesBadOnesUntouched) {
    TestApp app;
    MainWindow& w = *app.window;
    AppState& s = app.state();

    // A version 3 file with synchro on and loop on.
    GradationDocument saved;
    saved.length = 700;
    saved.direction = 2;
    saved.loop = 1;
    saved.cmy = 1;
    saved.synchro = 1;
    saved.synchroChannels = {1, 0, 1};
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        saved.channels[ch].pointCount = 3;
        for (int i = 0; i < 3; ++i) {
            saved.channels[ch].controlPoints[i] = {100.5 + 200 * i + ch, 100.25 + 50 * i};
        }
    }
    ASSERT_TRUE(writeLineDataFile(app.dir / "good.spd", saved));
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "good.spd").string()));
    s.doc.currentChannel = 1;
    w.dispatchCommand(kCmdOpen);
    EXPECT_TRUE(app.ui.messages.empty());
    EXPECT_EQ(s.doc.length, 700);
    EXPECT_EQ(s.doc.direction, 2);
    EXPECT_EQ(s.doc.currentChannel, 0);
    EXPECT_EQ(s.doc.channels[2].controlPoints[1], saved.channels[2].controlPoints[1]);
    EXPECT_TRUE(checked(w, kCmdLoop));
    EXPECT_TRUE(checked(w, kCmdCmy));
    EXPECT_TRUE(checked(w, kCmdSynchro));
    EXPECT_FALSE(w.synchroBox(0)->isHidden());
    EXPECT_TRUE(w.synchroBox(0)->isChecked());
    EXPECT_FALSE(w.synchroBox(1)->isChecked());
    EXPECT_EQ(s.mainLayout.contentWidth, 812);
    EXPECT_EQ(s.bitmapLayout.imageWidth, 700);
    // The first dialog started in the line data folder, the next in the chosen file's folder.
    EXPECT_EQ(app.ui.fileStartFolders[0].toStdString(), (app.dir / "RGBLineDataFiles").string());

    // A broken file: the failure message, and the document exactly as it was.
    test::writeBytes(app.dir / "bad.spd", {0, 0, 0, 0, 0, 0, 0, 0, 9, 9});
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "bad.spd").string()));
    const std::vector<std::uint8_t> before = encodeLineData(s.doc);
    w.dispatchCommand(kCmdOpen);
    EXPECT_EQ(app.ui.fileStartFolders[1].toStdString(), app.dir.path().string());
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, u("ファイルオープンに失敗"));
    EXPECT_EQ(app.ui.messages[0].title, u("メッセージ"));
    EXPECT_EQ(encodeLineData(s.doc), before);

    // A version 2 file: its warning first, then loaded with CMY and synchro off.
    test::ByteBuilder v2;
    v2.i32(0).i32(400).i32(1).u8(1).i32(2).i32(2).i32(2); // length, direction, loop, counts
    for (int ch = 0; ch < 3; ++ch) {
        v2.point(100, 200).point(300, 150);
    }
    test::writeBytes(app.dir / "v2.spd", v2.bytes);
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "v2.spd").string()));
    w.dispatchCommand(kCmdOpen);
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, u(kVersion2Warning));
    EXPECT_EQ(s.doc.cmy, 0);
    EXPECT_EQ(s.doc.synchro, 0);
    EXPECT_EQ(s.doc.loop, 1);
    EXPECT_TRUE(w.synchroBox(0)->isHidden());
    EXPECT_FALSE(checked(w, kCmdCmy));
    EXPECT_FALSE(checked(w, kCmdSynchro));
}

TEST(MainWindow, SaveReportsSuccessOnlyWhenWritten) {
    TestApp app;
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "out.spd").string()));
    app.window->dispatchCommand(kCmdSave);
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, u("RGBラインデータを保存しました。"));
    const LineDataReadResult back = readLineDataFile(app.dir / "out.spd");
    ASSERT_TRUE(back);
    EXPECT_EQ(back.document->channels[1].controlPoints[2],
              app.state().doc.channels[1].controlPoints[2]);

    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "missing" / "x.spd").string()));
    app.window->dispatchCommand(kCmdSave);
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, u("ファイルオープンに失敗"));

    // Bitmap: the width window, then the dialog, then the file and its message.
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.settings.saveWidth = 30;
        return 1;
    });
    app.ui.fileAnswers.push_back(QString::fromStdString((app.dir / "g.bmp").string()));
    app.window->dispatchCommand(kCmdSaveBitmap);
    EXPECT_EQ(app.ui.tools.back().name, "SaveBitMapWnd");
    EXPECT_EQ(test::readBytes(app.dir / "g.bmp").size(), 47158u); // 30 x 512, direction 1
    EXPECT_EQ(app.ui.messages.back().text, u("ビットマップを保存しました。"));
    EXPECT_EQ(app.ui.messages.back().title, QStringLiteral("Message"));
    EXPECT_EQ(app.ui.fileStartFolders.back().toStdString(), (app.dir / "Bitmaps").string());
}

TEST(MainWindow, ExitAsksButTheCloseBoxDoesNot) {
    TestApp app;
    app.window->show();
    app.ui.questionAnswers.push_back(QMessageBox::No);
    app.window->dispatchCommand(kCmdExit);
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].text, u("終了してよろしいですか？"));
    EXPECT_EQ(app.ui.messages[0].title, u("終了確認"));
    EXPECT_TRUE(app.window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(app.dir / "Setting.ini"));
    app.window->close();
    EXPECT_EQ(app.ui.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(app.dir / "Setting.ini"));
}

TEST(MainWindow, ScrollsLongGradationsAndKeepsTheBoxesOnTheirBars) {
    TestApp app(QSize(1024, 400));
    AppState& s = app.state();
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.length = 1600;
        return 1;
    });
    app.window->dispatchCommand(kCmdNew);
    app.window->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(s.mainLayout.outer.width, 1024);
    EXPECT_EQ(s.mainLayout.outer.x, 0);
    QScrollBar* h = app.window->horizontalBar();
    EXPECT_TRUE(h->isEnabled());
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.mainLayout.horizontal.pos, 2);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.mainLayout.horizontal.pos, 18);
    EXPECT_EQ(h->value(), 18);
    h->setSliderPosition(100000);
    EXPECT_EQ(s.mainLayout.horizontal.pos, s.mainLayout.horizontal.maxPos());
    QScrollBar* v = app.window->verticalBar();
    EXPECT_FALSE(v->isHidden());
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.mainLayout.vertical.pos, 16);
    s.doc.synchro = 1;
    app.window->updateSynchroBoxes(false);
    EXPECT_EQ(app.window->synchroBox(1)->pos(), QPoint(18 - s.mainLayout.horizontal.pos, 418 - 16));
}

TEST(MainWindow, GradationWindowTitleAndThicknessFollowResizing) {
    TestApp app;
    BitmapWindow* bw = app.window->bitmapWindow();
    ASSERT_NE(bw, nullptr);
    bw->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(bw->windowTitle(), QStringLiteral("Gradation BitMap [ 192 * 512 ]  Spectrane"));
    // Direction 0: make the client 300 high.
    app.ui.toolAnswers.push_back([](AppState& st) {
        st.doc.direction = 0;
        return 1;
    });
    app.window->dispatchCommand(kCmdDirection);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bw->horizontalBar()->isHidden());
    EXPECT_TRUE(bw->verticalBar()->isHidden());
    const int barH = bw->horizontalBar()->sizeHint().height();
    bw->resize(560, 300 + barH);
    QCoreApplication::processEvents();
    EXPECT_EQ(app.state().doc.thickness, 252);
    EXPECT_EQ(bw->windowTitle(), QStringLiteral("Gradation BitMap [ 512 * 252 ]  Spectrane"));
    // The picture: dot 0 of direction 0 at the left margin, with the gradation's colour.
    const Surface& buf = app.state().buffers.gradationBuffer(0);
    EXPECT_EQ(buf.pixel(24, 24 + 251), mixedColor(app.state().doc.colorLine, 0, false));
    EXPECT_EQ(buf.pixel(24 + 511, 24), mixedColor(app.state().doc.colorLine, 511, false));
}

TEST(MainWindow, CanvasShowsThreeCurvesOverTheGrid) {
    TestApp app;
    app.window->show();
    QCoreApplication::processEvents();
    const QImage shot =
        app.window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto count = [&](Color c) {
        int n = 0;
        for (int y = 30; y < 354 && y < shot.height(); ++y) {
            for (int x = 54; x < 570 && x < shot.width(); ++x) {
                n += (shot.pixel(x, y) & 0xffffff) == c;
            }
        }
        return n;
    };
    const ChannelColors colors = channelColorsFor(false);
    EXPECT_GT(count(colors.active[0]), 300);   // the current curve in its own colour
    EXPECT_GT(count(colors.inactive[1]), 100); // the others darker
    EXPECT_GT(count(colors.inactive[2]), 100);
    EXPECT_GT(count(kGridColor), 1000);
}

TEST(MainWindow, DialogOwnerAndFailedSettingsWrite) {
    TestApp app;
    MainWindow& w = *app.window;
    EXPECT_EQ(w.dialogOwner(), &w);
    w.dispatchCommand(kCmdTopmost);
    EXPECT_TRUE(checked(w, kCmdTopmost));
    EXPECT_TRUE(findCommandAction(w.bitmapWindow(), kPopupTopmost)->isChecked());
    EXPECT_EQ(w.dialogOwner(), w.bitmapWindow());
    w.dispatchCommand(kCmdAbout);
    ASSERT_EQ(app.ui.messages.size(), 1u);
    EXPECT_EQ(app.ui.messages[0].owner, w.bitmapWindow());
    EXPECT_EQ(app.ui.messages[0].title, QStringLiteral("Version Info."));
    EXPECT_TRUE(app.ui.messages[0].text.contains(QStringLiteral("version 3.02")));
    w.dispatchBitmapPopup(kPopupTopmost);
    EXPECT_FALSE(checked(w, kCmdTopmost));
    EXPECT_EQ(w.dialogOwner(), &w);

    // A settings file that cannot be replaced: the failure is shown, shut-down goes on.
    std::filesystem::create_directories(app.dir / "Setting.ini" / "blocked");
    app.window.reset();
    ASSERT_EQ(app.ui.messages.size(), 2u);
    EXPECT_EQ(app.ui.messages[1].text, u("ファイルオープンに失敗"));
    EXPECT_EQ(app.ui.messages[1].title, QStringLiteral("Spectrane"));
    EXPECT_EQ(app.ui.messages[1].icon, QMessageBox::Warning);
}

} // namespace
} // namespace spectrane
