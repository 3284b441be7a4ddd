#include "app/analysis_window.h"
#include "app/canvas_widget.h"
#include "app/command_ids.h"
#include "files/extra_settings_file.h"
#include "model/gradation_render.h"
#include "views/analysis_picture.h"

#include "app_test_support.h"

#include <QScrollBar>

namespace spectrane {
namespace {

// Dot `dot` of the "as displayed" strip, as the window shows it on the screen now.
Color shownStripDot(MainWindow& w, int dot) {
    const QImage shot = w.analysisWindow()->grab().toImage();
    const int x = kAnalysisLeftX + dot - w.state().mainLayout.horizontal.pos;
    return shot.pixel(x, kAnalysisStripTop + kAnalysisStripHeight / 2) & 0xffffff;
}

// The window opens below the plot, scrolled with it dot for dot, follows a drag while it runs,
// and is remembered between runs in its own small file.
TEST(AnalysisWindow, FollowsTheDocumentAndTheScrollAndIsRemembered) {
    test::TestApp app(QSize(700, 700));
    MainWindow& w = *app.window;
    AppState& s = app.state();
    app.toolAnswers.push_back([](AppState& st) { st.doc.length = kMaxDots; });
    w.dispatchCommand(kCmdNew);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.dispatchCommand(kCmdAnalysisWindow);
    AnalysisWindow* a = w.analysisWindow();
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(a));
    EXPECT_EQ(a->size(), QSize(w.canvas()->width(), kAnalysisPictureHeight));

    const CurvePoint p = s.doc.channels[0].anchorPoints[0];
    const QPoint on = app.at(p);
    const int dot = static_cast<int>(p.x) - kAnalysisLeftX;
    const Color before = mixedColor(s.doc.colorLine, dot, false);
    const int updates = a->refreshCount();
    QTest::mouseMove(w.canvas(), on);
    QTest::mousePress(w.canvas(), Qt::LeftButton, {}, on);
    QTest::mouseMove(w.canvas(), on + QPoint(0, p.y < 300 ? 60 : -60));
    w.worker().waitUntilIdle();
    // QtTest's QTRY_ macros would end the test silently on failure: gtest checks instead.
    EXPECT_TRUE(QTest::qWaitFor([&] { return a->refreshCount() > updates; }));
    ASSERT_TRUE(s.edit.dragging);
    const Color after = mixedColor(s.doc.colorLine, dot, false);
    ASSERT_NE(after, before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownStripDot(w, dot) == after; }));
    QTest::mouseRelease(w.canvas(), Qt::LeftButton, {}, on + QPoint(0, 60));

    w.horizontalBar()->setSliderPosition(100000);
    ASSERT_GT(s.mainLayout.horizontal.pos, 0);
    QCoreApplication::processEvents();
    const int firstShown = s.mainLayout.horizontal.pos - kAnalysisLeftX;
    for (int d : {firstShown, firstShown + 100, s.doc.length - 1}) {
        EXPECT_EQ(shownStripDot(w, d), mixedColor(s.doc.colorLine, d, false)) << d;
    }

    app.restart(QSize(700, 700));
    ASSERT_TRUE(app.window->analysisWindow() && app.window->analysisWindow()->isVisible());
    EXPECT_TRUE(app.checked(kCmdAnalysisWindow));
    app.window->analysisWindow()->close(); // its close box
    EXPECT_FALSE(app.checked(kCmdAnalysisWindow));
    app.stop();
    EXPECT_EQ(LoadExtraSettings(app.file(kExtraSettingsFileName)), ExtraSettings{});
}

} // namespace
} // namespace spectrane
