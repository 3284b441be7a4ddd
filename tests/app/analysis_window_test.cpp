#include "analysis/analyzer.h"
#include "app/analysis_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "app/point_table_window.h"
#include "files/extra_settings_file.h"
#include "files/line_data_file.h"
#include "model/gradation_render.h"
#include "views/analysis_picture.h"

#include "app_test_support.h"

#include <QScrollBar>

namespace spectrane {
namespace {

// Dot `dot` of the "as displayed" strip, as the window shows it on the screen now.
Color shownStripDot(MainWindow& w, int dot) {
    AnalysisWindow* a = w.analysisWindow();
    const QImage shot = a->grab().toImage();
    const int x = kAnalysisLeftX + dot - w.state().mainLayout.horizontal.pos;
    return shot.pixel(x, a->layout().stripTop + a->layout().stripHeight / 2) & 0xffffff;
}

// The window's figures are those of a fresh analysis of the document as it is now.
void expectCurrent(MainWindow& w, const std::string& what) {
    static const Analyzer analyzer;
    auto fresh = std::make_unique<GradationAnalysis>();
    analyzer.analyze(w.state().doc, *fresh);
    const GradationAnalysis& a = w.analysisWindow()->analysis();
    const GradationAnalysis& f = *fresh;
    EXPECT_EQ(std::tie(a.length, a.loop, a.reversalCount, a.jumpCount, a.bandCount, a.uniformity),
              std::tie(f.length, f.loop, f.reversalCount, f.jumpCount, f.bandCount, f.uniformity))
        << what;
    EXPECT_EQ(a.displayed, f.displayed) << what;
}

// The whole window lies in the work area, at least the compact picture high, its client
// starting at the plot's left edge and as wide as the plot's view, dot j under dot j.
void expectBesideThePlot(MainWindow& w, QSize work, const std::string& what) {
    AnalysisWindow* a = w.analysisWindow();
    const AppState& s = w.state();
    EXPECT_TRUE(QRect(QPoint(0, 0), work).contains(a->frameGeometry()))
        << what << " " << a->frameGeometry().y() << "+" << a->frameGeometry().height();
    EXPECT_GE(a->height(), kAnalysisCompactPictureHeight) << what;
    EXPECT_EQ(a->mapToGlobal(QPoint(0, 0)).x(), w.canvas()->mapToGlobal(QPoint(0, 0)).x()) << what;
    EXPECT_EQ(a->width(), std::min(w.canvas()->width(), analysisPictureWidth(s.doc.length)))
        << what;
    EXPECT_EQ(a->layout(), analysisLayoutFor(a->height())) << what;
    const int first = std::max(0, s.mainLayout.horizontal.pos); // left of it: the labels
    const int last = std::min(s.doc.length, first + a->width() - kAnalysisLeftX) - 1;
    for (int dot : {first, (first + last) / 2, last}) {
        EXPECT_EQ(shownStripDot(w, dot), mixedColor(s.doc.colorLine, dot, s.doc.colorModel()))
            << what << " dot " << dot;
    }
}

// Every way the document changes reaches the analysis window through the one path, and the
// window stays whole on the screen and under the plot, at both screen sizes.
TEST(AnalysisWindow, EveryChangeReachesItAndItStaysBesideThePlot) {
    test::TempDir files;
    ASSERT_TRUE(writeLineDataFile(files / "700.spd", *test::randomDocument(700, 3, false)));
    using Step = std::function<void(test::TestApp&)>;
    const auto command = [](int id, std::function<void(AppState&)> answer = nullptr) -> Step {
        return [id, answer](test::TestApp& app) {
            answer ? app.run(id, answer) : app.window->dispatchCommand(id);
        };
    };
    const std::pair<const char*, Step> steps[] = {
        {"New", command(kCmdNew, [](AppState&) {})},
        {"CMY on", command(kCmdCmy, [](AppState& s) { s.doc.mode = ColorMode::Cmy; })},
        {"Drag",
         [](test::TestApp& app) {
             AppState& s = app.state();
             const QPoint on = app.at(s.doc.channels[s.doc.currentChannel].anchorPoints[1]);
             app.drag(on, on + QPoint(3, 40));
             EXPECT_TRUE(QTest::qWaitFor([&] { return !app.window->worker().busy(); }));
             QCoreApplication::processEvents();
         }},
        {"Undo", command(kCmdUndo)},
        {"Open",
         [&files](test::TestApp& app) {
             app.fileAnswers.push_back(QString::fromStdString((files / "700.spd").string()));
             app.window->dispatchCommand(kCmdOpen);
         }},
        {"Length for scrolling", command(kCmdLength, [](AppState& s) { s.doc.length = 1600; })},
        {"Scroll", [](test::TestApp& app) { app.window->horizontalBar()->setSliderPosition(300); }},
        {"Move main",
         [](test::TestApp& app) {
             // Left where there is room for it, down in any case.
             const int left = std::min(40, app.window->frameGeometry().x());
             app.window->move(app.window->pos() + QPoint(-left, 7));
         }},
        {"Toggle", [](test::TestApp& app) {
             app.window->dispatchCommand(kCmdAnalysisWindow);
             app.window->dispatchCommand(kCmdAnalysisWindow);
         }}};
    for (const QSize work : {QSize(1366, 768), QSize(1920, 1080)}) {
        test::TestApp app(work);
        MainWindow& w = *app.window;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.dispatchCommand(kCmdAnalysisWindow);
        ASSERT_TRUE(w.analysisWindow() && QTest::qWaitForWindowExposed(w.analysisWindow()));
        for (const auto& [name, step] : steps) {
            const std::string what = std::to_string(work.width()) + " " + name;
            step(app);
            QCoreApplication::processEvents();
            ASSERT_TRUE(w.analysisWindow()->isVisible()) << what;
            ASSERT_TRUE(app.toolAnswers.empty() && app.popupAnswers.empty()) << what;
            expectCurrent(w, what);
            expectBesideThePlot(w, work, what);
        }
        // 1600 dots scroll on the smaller screen, so the scroll was checked there.
        EXPECT_EQ(app.state().mainLayout.horizontal.pos > 0, work.width() < 1712);
    }
}

// A drag reaches the window while it runs.
TEST(AnalysisWindow, FollowsADragLive) {
    test::TestApp app(QSize(700, 700));
    MainWindow& w = *app.window;
    w.show();
    w.dispatchCommand(kCmdAnalysisWindow);
    ASSERT_TRUE(w.analysisWindow() && QTest::qWaitForWindowExposed(w.analysisWindow()));
    const QPoint on = app.at(app.state().doc.channels[0].anchorPoints[1]);
    const int updates = w.analysisWindow()->refreshCount();
    QTest::mousePress(w.canvas(), Qt::LeftButton, {}, on);
    QTest::mouseMove(w.canvas(), on + QPoint(0, 40));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.analysisWindow()->refreshCount() > updates; }));
    QTest::mouseRelease(w.canvas(), Qt::LeftButton, {}, on + QPoint(0, 40));
}

// The analysis window and the point table are remembered open between runs in the small extra
// file; closed by their close box, they are not.
TEST(AnalysisWindow, ItAndThePointTableAreRemembered) {
    const std::tuple<int, std::function<QWidget*(MainWindow&)>> rows[] = {
        {kCmdAnalysisWindow, [](MainWindow& w) { return w.analysisWindow(); }},
        {kCmdPointTable, [](MainWindow& w) { return w.pointTable(); }}};
    for (const auto& [command, window] : rows) {
        test::TestApp app(QSize(700, 700));
        app.window->show();
        app.window->dispatchCommand(command);
        app.restart(QSize(1200, 800));
        ASSERT_TRUE(window(*app.window) && window(*app.window)->isVisible()) << command;
        EXPECT_TRUE(app.checked(command));
        window(*app.window)->close();
        EXPECT_FALSE(app.checked(command));
        app.stop();
        EXPECT_EQ(LoadExtraSettings(app.file(kExtraSettingsFileName)), ExtraSettings{});
    }
}

} // namespace
} // namespace spectrane
