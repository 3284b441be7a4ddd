// A main window for tests: its files in a scratch folder, a fixed work area, and dialogs,
// tool windows, popups and message boxes answered by the test.
#pragma once

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/refresh_document.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"

#include <QTest>

#include <gtest/gtest.h>

namespace spectrane::test {

template <class T> T takeFront(std::deque<T>& queue, T otherwise = {}) {
    if (queue.empty()) {
        return otherwise;
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

struct TestApp {
    TempDir dir;
    MainWindow* window = nullptr;
    // The next tool windows: each answer changes the state and confirms; with none left the
    // real window runs and the next action is done to it (closed when none is left).
    std::deque<std::function<void(AppState&)>> toolAnswers;
    std::deque<std::function<void(QWidget*)>> toolActions;
    std::deque<QString> fileAnswers; // full paths; none left = Cancel
    std::deque<int> popupAnswers;    // item ids; none left = dismissed
    MessageRecorder boxes;
    std::vector<std::pair<ToolWindowKind, QWidget*>> tools; // each run's kind and owner
    std::vector<QString> fileStartFolders;
    int popupsShown = 0;

    // The worker's start-up requests run only when asked for.
    explicit TestApp(QSize workArea = QSize(1920, 1080), bool startUpRequests = false) {
        restart(workArea, startUpRequests);
    }
    ~TestApp() { stop(); }
    void restart(QSize workArea = QSize(1920, 1080), bool startUpRequests = false) {
        stop();
        MainWindow::Options options;
        options.exeFolder = dir.path();
        options.workArea = [workArea] { return workArea; };
        options.startUpRequests = startUpRequests;
        options.ui.runToolWindow = [this](QWidget* owner, ToolWindowKind kind) {
            tools.emplace_back(kind, owner);
            if (auto answer = takeFront(toolAnswers)) {
                answer(state());
                return kToolOk;
            }
            const auto act = takeFront(toolActions, {[](QWidget* w) { w->close(); }});
            return runAndAct([&] { return window->runRealToolWindow(owner, kind); }, act);
        };
        options.ui.chooseFile = [this](QWidget*, FileDialogKind, const QString& start) {
            fileStartFolders.push_back(start);
            return takeFront(fileAnswers);
        };
        options.ui.messageBox = boxes.fn();
        options.ui.choosePopupItem = [this](QMenu*, const QPoint&) {
            ++popupsShown;
            return takeFront(popupAnswers);
        };
        window = new MainWindow(std::move(options));
    }
    void stop() {
        delete window;
        window = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    AppState& state() { return window->state(); }
    const std::vector<MessageRecorder::Box>& messages() const { return boxes.shown; }
    std::filesystem::path file(const char* name) const { return dir / name; }
    QString path(const char* name) const { return QString::fromStdString(file(name).string()); }
    bool checked(int commandId) const { return findCommandAction(window, commandId)->isChecked(); }

    // Every channel gets the same open curve with anchors (56, 200) (180, 150) (330, 120)
    // (567, 250); the window is shown.
    void showKnownCurves() {
        const auto doc =
            openDocumentFromAnchors(512, {{56, 200}, {180, 150}, {330, 120}, {567, 250}});
        state().doc.channels = doc->channels;
        state().doc.currentChannel = 0;
        RefreshDocument(state(), RefreshMode::Evaluating);
        state().history.reset(state().doc);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    // Command `id` with its tool window answered by `answer`.
    void run(int id, std::function<void(AppState&)> answer) {
        toolAnswers.push_back(std::move(answer));
        window->dispatchCommand(id);
    }
    // The left button pressed on `from` (hovered first), moved to `to` and let go there once the
    // worker has followed.
    void drag(QPoint from, QPoint to) {
        QTest::mouseMove(window->canvas(), from);
        QTest::mousePress(window->canvas(), Qt::LeftButton, {}, from);
        QTest::mouseMove(window->canvas(), to);
        window->worker().waitUntilIdle();
        QTest::mouseRelease(window->canvas(), Qt::LeftButton, {}, to);
    }
    // Where content point p is on the canvas, as scrolled now.
    QPoint at(CurvePoint p) {
        const MainLayout& l = state().mainLayout;
        return {static_cast<int>(p.x) - l.horizontal.pos, static_cast<int>(p.y) - l.vertical.pos};
    }
};

} // namespace spectrane::test
