// The main window's commands end to end: start-up and shut-down, New, Open, Save, the bitmap,
// the length, direction, loop, CMY and synchro commands, exit and the settings record.
#include "app/analysis_window.h"
#include "app/backup_offer.h"
#include "app/bitmap_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "files/in_place_backup.h"
#include "files/line_data_file.h"
#include "model/gradation_render.h"
#include "qtsupport/language.h"

#include "app_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

namespace spectrane {
namespace {

using test::TestApp;
using test::u;

// Exit asks, the close box does not; either writes the record read at the next start, or shows
// why it could not.
TEST(MainWindow, FirstStartDefaultsExitAndTheRecordReadBackOrItsFailureShown) {
    TestApp app;
    EXPECT_EQ(std::pair(app.state().doc.length, app.state().doc.direction), std::pair(512, 1));
    EXPECT_TRUE(app.window->gradationWindow().isOpen());
    for (int id : {kCmdTitleWindow, kCmdBitmapWindow, kCmdPointPositions, kCmdTopmost, kCmdLoop}) {
        EXPECT_EQ(app.checked(id), id != kCmdTopmost && id != kCmdLoop) << id;
    }
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());

    app.window->dispatchCommand(kCmdTitleWindow); // a toggle: no window opens
    EXPECT_TRUE(app.tools.empty());
    app.run(kCmdSynchro, [](AppState& st) {
        st.doc.synchro = true;
        st.doc.synchroChannels = {false, true, true};
    });
    app.window->dispatchCommand(kCmdBitmapWindow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(app.window->gradationWindow().isOpen());

    app.window->show();
    app.window->dispatchCommand(kCmdExit); // answered No
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_TRUE(app.window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(app.file("Setting.ini")));
    app.window->close();
    EXPECT_EQ(app.messages().size(), 1u);
    app.restart();
    EXPECT_EQ(test::readBytes(app.file("Setting.ini")).size(), 52u);
    const AppState& again = app.state();
    EXPECT_FALSE(again.settings.showTitleWindow);
    EXPECT_FALSE(app.window->gradationWindow().isOpen());
    EXPECT_TRUE(app.checked(kCmdSynchro));
    EXPECT_FALSE(app.window->synchroBox(0)->isHidden() || app.window->synchroBox(0)->isChecked());
    EXPECT_TRUE(app.window->synchroBox(1)->isChecked());
    // The checked channels start with the same curve.
    EXPECT_EQ(again.doc.channels[1].controlPoints, again.doc.channels[2].controlPoints);

    // A record that cannot be replaced: the failure is shown, shut-down goes on.
    std::filesystem::remove(app.file("Setting.ini"));
    std::filesystem::create_directories(app.file("Setting.ini") / "blocked");
    app.stop();
    EXPECT_EQ(app.messages().back().icon, QMessageBox::Warning);
    EXPECT_EQ(app.messages().back().text, u("ファイルオープンに失敗\nファイル「") +
                                              app.path("Setting.ini") + u("」：") +
                                              QString::fromLocal8Bit(std::strerror(EISDIR)));
}

TEST(MainWindow, StartUpRequestsRunAndClosingWhileTheTitleWindowIsUpEndsCleanly) {
    TestApp app(QSize(1920, 1080), true);
    std::vector<bool> seen; // the gradation window shown, the worker waiting, the settings written
    app.toolActions.push_back([&](QWidget* title) {
        seen = {app.window->gradationWindow().window()->isVisible(), !app.window->worker().ready()};
        app.window->close(); // releases the worker from its request
        seen.push_back(std::filesystem::exists(app.file("Setting.ini")));
        title->close();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 3; }));
    EXPECT_EQ(app.tools[0].first, ToolWindowKind::Title);
    EXPECT_EQ(seen, std::vector<bool>({true, true, true}));
    app.stop();
}

TEST(MainWindow, NewTurnsSynchroOffAndMakesTheChosenDocument) {
    TestApp app;
    AppState& s = app.state();
    app.run(kCmdSynchro, [](AppState& st) { st.doc.synchro = true; });
    app.toolActions.push_back([&](QWidget* w) {
        test::setText(w, 1008, "300");
        test::click(w, 1000); // loop
        test::click(w, 1);
    });
    app.window->dispatchCommand(kCmdNew);
    EXPECT_EQ(app.tools.back(),
              std::pair(ToolWindowKind::NewGradation, static_cast<QWidget*>(app.window)));
    EXPECT_EQ(s.doc.length, 300);
    EXPECT_TRUE(app.checked(kCmdLoop));
    EXPECT_FALSE(s.doc.synchro || app.checked(kCmdSynchro));
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());
    EXPECT_EQ(s.mainLayout.contentWidth, 412);

    const auto before = s.doc.channels[1].controlPoints;
    app.toolActions.push_back([](QWidget* w) { test::click(w, 2); });
    app.window->dispatchCommand(kCmdNew);
    EXPECT_EQ(s.doc.channels[1].controlPoints, before);
}

// A good file is applied; a bad one is refused with the document untouched; an old one is read
// with its warning.
TEST(MainWindow, OpenAppliesGoodFilesAndRefusesBadOnesUntouched) {
    TestApp app;
    AppState& s = app.state();
    GradationDocument saved = *test::randomDocument(700, 7, true);
    saved.direction = 2;
    saved.synchro = true;
    saved.mode = ColorMode::Cmy;
    saved.synchroChannels = {true, false, true};
    ASSERT_TRUE(writeLineDataFile(app.file("good.spd"), saved));
    test::writeBytes(app.file("bad.spd"), {0, 0, 0, 0, 0, 0, 0, 0, 9, 9});
    test::ByteBuilder v2;
    v2.i32(0).i32(400).i32(1).u8(1).i32(2).i32(2).i32(2); // length, direction, loop, counts
    v2.point(100, 200).point(300, 150).point(100, 200).point(300, 150).point(100, 200);
    test::writeBytes(app.file("v2.spd"), v2.point(300, 150).bytes);

    app.fileAnswers = {app.path("good.spd"), app.path("bad.spd"), app.path("v2.spd")};
    app.window->dispatchCommand(kCmdOpen);
    EXPECT_TRUE(app.messages().empty());
    EXPECT_EQ(s.doc.settings(), saved.settings());
    EXPECT_EQ(test::controlsOf(s.doc, 2), test::controlsOf(saved, 2));
    EXPECT_TRUE(app.checked(kCmdLoop) && app.checked(kCmdCmy) && app.checked(kCmdSynchro));
    EXPECT_TRUE(app.window->synchroBox(0)->isChecked() && !app.window->synchroBox(1)->isChecked());
    EXPECT_EQ(s.mainLayout.contentWidth, 812);
    EXPECT_EQ(s.bitmapLayout.imageWidth, 700);

    const std::vector<std::uint8_t> before = encodeLineData(s.doc);
    app.window->dispatchCommand(kCmdOpen);
    ASSERT_EQ(app.messages().size(), 1u);
    EXPECT_EQ(app.messages()[0].text, u("ファイルオープンに失敗"));
    EXPECT_EQ(app.messages()[0].title, u("メッセージ"));
    EXPECT_EQ(encodeLineData(s.doc), before);

    // A version 2 file: its warning, then loaded with CMY and synchro off.
    app.window->dispatchCommand(kCmdOpen);
    ASSERT_EQ(app.messages().size(), 2u);
    EXPECT_EQ(app.messages()[1].text, u(kVersion2Warning));
    EXPECT_TRUE(s.doc.length == 400 && s.doc.loop);
    EXPECT_FALSE(app.checked(kCmdCmy) || app.checked(kCmdSynchro));
    EXPECT_TRUE(app.window->synchroBox(0)->isHidden());
}

// Success is reported only when written; a bitmap is BMP or PNG by its name, and from the
// gradation window's popup the width window belongs to that window and offers its width.
TEST(MainWindow, SavesAndBitmapsReportSuccessOnlyWhenWritten) {
    TestApp app;
    AppState& s = app.state();
    app.fileAnswers = {app.path("out.spd"), app.path("missing/x.spd")};
    app.window->dispatchCommand(kCmdSave);
    app.window->dispatchCommand(kCmdSave);
    ASSERT_EQ(app.messages().size(), 2u);
    EXPECT_EQ(app.messages()[0].text, u("RGBラインデータを保存しました。"));
    // The failure's reason and file on a second line.
    EXPECT_EQ(app.messages()[1].text, u("ファイルオープンに失敗\nファイル「") +
                                          app.path("missing/x.spd") + u("」：") +
                                          QString::fromLocal8Bit(std::strerror(ENOENT)));
    const LineDataReadResult back = readLineDataFile(app.file("out.spd"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.document->channels[1].controlPoints, s.doc.channels[1].controlPoints);

    app.toolAnswers = {[](AppState& st) { st.settings.saveWidth = 30; }, [](AppState&) {}};
    app.fileAnswers = {app.path("g.bmp"), app.path("g.png")};
    app.window->dispatchCommand(kCmdSaveBitmap);
    EXPECT_EQ(test::readBytes(app.file("g.bmp")).size(),
              54u + 92u * 512u); // 90 bytes a row, padded
    EXPECT_EQ(app.messages().back().text, u("ビットマップを保存しました。"));
    EXPECT_EQ(app.messages().back().title, QStringLiteral("Message"));
    EXPECT_EQ(app.fileStartFolders.back().toStdString(), app.file("Bitmaps").string());
    app.window->dispatchCommand(kCmdSaveBitmap);
    EXPECT_EQ(test::readBytes(app.file("g.png"))[1], 'P');

    app.toolActions.push_back([](QWidget* w) {
        test::click(w, 1000); // the window's width
        test::click(w, 1);
    });
    app.fileAnswers = {app.path("w.bmp")};
    app.window->dispatchBitmapPopup(kPopupSaveBitmap);
    EXPECT_EQ(app.tools.back().second, app.window->gradationWindow().window());
    EXPECT_EQ(test::readBytes(app.file("w.bmp")).size(), 54u + 192u * 3u * 512u);
}

// From the gradation window's popup the length window belongs to that window, the main window
// disabled under it; the windows follow each change; CMY redraws only when the mode changed.
TEST(MainWindow, PopupLengthDirectionAndCmyUpdateTheirWindows) {
    TestApp app;
    AppState& s = app.state();
    bool mainDisabled = false;
    app.toolActions.push_back([&](QWidget* w) {
        mainDisabled = !app.window->isEnabled();
        test::setText(w, 1008, "600");
        test::click(w, 1012); // extend or cut the right end
        test::click(w, 1);
    });
    const CurvePoint first = s.doc.channels[0].controlPoints[0];
    app.window->dispatchBitmapPopup(kPopupLength);
    EXPECT_EQ(app.tools.back().second, app.window->gradationWindow().window());
    EXPECT_TRUE(mainDisabled && app.window->isEnabled());
    const ChannelCurve& c = s.doc.channels[0];
    EXPECT_EQ(std::pair(c.controlPoints[0], c.controlPoints[c.pointCount - 1].x),
              std::pair(first, 655.0)); // only the last point moves
    EXPECT_EQ(s.mainLayout.contentWidth, 712);
    EXPECT_TRUE(app.window->gradationWindow().window()->windowTitle().contains("600"));
    app.run(kCmdDirection, [](AppState& st) { st.doc.direction = 0; });
    EXPECT_EQ(s.bitmapLayout.imageWidth, 600);

    s.buffers.mainBuffer.setPixel(60, 380, rgb(1, 2, 3));
    app.toolAnswers = {[](AppState&) {}, [](AppState& st) { st.doc.mode = ColorMode::Cmy; }};
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_EQ(s.buffers.mainBuffer.pixel(60, 380), rgb(1, 2, 3));
    app.window->dispatchCommand(kCmdCmy);
    EXPECT_TRUE(app.checked(kCmdCmy));
    const Color mixed = s.buffers.mainBuffer.pixel(56 + 4, 380);
    EXPECT_EQ(redOf(mixed), 255 - s.doc.colorLine.level(0, 4));
    EXPECT_EQ(blueOf(mixed), 255 - s.doc.colorLine.level(2, 4));
}

// A copy of old bytes that a crash left is offered at start: Yes puts the bytes back, No
// discards the copy; either way it is asked once.
TEST(MainWindow, OffersBackTheOldContentACrashLeft) {
    test::TempDir dir;
    ::setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
    const std::vector<std::uint8_t> old(3000, 'o');
    std::vector<QString> asked;
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        test::writeBytes(dir / "a.spd", {'n', 'e', 'w'});
        int err = 0;
        ASSERT_FALSE(keepInPlaceBackup(dir / "a.spd", old, err).file.empty()) << err;
        offerInPlaceBackups(nullptr, inPlaceBackupFolder(),
                            [&](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                QMessageBox::StandardButtons) {
                                asked.push_back(text);
                                return answer;
                            });
        EXPECT_EQ(test::readBytes(dir / "a.spd").size(), answer == QMessageBox::Yes ? 3000u : 3u);
        EXPECT_TRUE(std::filesystem::is_empty(inPlaceBackupFolder()));
    }
    ::unsetenv("XDG_CACHE_HOME");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].contains(QString::fromStdString((dir / "a.spd").string())));
}

// The program itself catches SIGINT, SIGTERM and SIGHUP (to remove a save's temporary file) and
// still ends by the signal.
TEST(Program, CatchesTheSignalsThatEndIt) {
    test::TempDir dir;
    std::filesystem::copy_file(SPECTRANE_APP_PATH, dir / "spectrane"); // its folders go there
    const std::string program = (dir / "spectrane").string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto caught = [](pid_t pid) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("SigCgt:", 0) == 0) {
                const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
                const unsigned long long wanted =
                    (1ull << (SIGINT - 1)) | (1ull << (SIGTERM - 1)) | (1ull << (SIGHUP - 1));
                return (mask & wanted) == wanted;
            }
        }
        return false;
    };
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
        bool ready = false;
        for (int tries = 0; tries < 400 && !(ready = caught(pid)); ++tries) {
            ::usleep(50000);
        }
        EXPECT_TRUE(ready) << sig;
        ::kill(pid, sig);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
    }
}

// The shortcuts work while the gradation or the analysis window is the active window, as from
// the main window; a tool window blocks them.
TEST(MainWindow, ShortcutsWorkFromEveryWindowButNotUnderAToolWindow) {
    TestApp app;
    app.showKnownCurves();
    AppState& s = app.state();
    app.window->gradationWindow().showInPlace();
    app.window->dispatchCommand(kCmdAnalysisWindow);
    app.run(kCmdCmy, [](AppState& st) { st.doc.mode = ColorMode::Cmy; });
    QTest::qWait(300); // once framed, the main window raises the analysis window again
    // The CMY mode (undo and redo), then the tool windows, file dialogs and message boxes asked.
    using Seen = std::array<int, 4>;
    const auto seen = [&] {
        return Seen{s.doc.cmy(), static_cast<int>(app.tools.size()),
                    static_cast<int>(app.fileStartFolders.size()),
                    static_cast<int>(app.messages().size())};
    };
    const std::pair<QKeyCombination, Seen> rows[] = {
        {Qt::CTRL | Qt::Key_Z, {-1, 0, 0, 0}}, {Qt::CTRL | Qt::Key_Y, {1, 0, 0, 0}},
        {Qt::CTRL | Qt::Key_Z, {-1, 0, 0, 0}}, {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, {1, 0, 0, 0}},
        {Qt::CTRL | Qt::Key_N, {0, 1, 0, 0}},  {Qt::CTRL | Qt::Key_O, {0, 0, 1, 0}},
        {Qt::CTRL | Qt::Key_S, {0, 0, 1, 0}},  {Qt::CTRL | Qt::Key_Q, {0, 0, 0, 1}}, // answered No
    };
    for (QWidget* active : {static_cast<QWidget*>(app.window->gradationWindow().window()),
                            static_cast<QWidget*>(app.window->analysisWindow())}) {
        for (const auto& [key, change] : rows) {
            active->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(active));
            Seen expected;
            std::ranges::transform(seen(), change, expected.begin(), std::plus{});
            QTest::keyClick(active, key.key(), key.keyboardModifiers());
            EXPECT_EQ(seen(), expected) << active->windowTitle().toStdString() << " "
                                        << QKeySequence(key).toString().toStdString();
        }
    }

    // Nor while a popup menu is open (its command would find the document changed under it).
    QMenu popup;
    popup.addAction(QStringLiteral("item"));
    popup.popup(app.window->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    const Seen before = seen();
    QTest::keyClick(&popup, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(seen(), before);
    popup.close();
    app.toolActions.push_back([](QWidget* tool) {
        QTest::keyClick(tool, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(tool, Qt::Key_O, Qt::ControlModifier);
        tool->close();
    });
    app.window->dispatchCommand(kCmdLength);
    EXPECT_EQ(seen(), (Seen{before[0], before[1] + 1, before[2], before[3]}));
}

} // namespace
} // namespace spectrane
