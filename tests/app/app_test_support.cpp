#include "app_test_support.h"

#include "app/menus.h"
#include "app/refresh_document.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace spectrane::test {

namespace {
template <class T> T takeFront(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) {
        return otherwise;
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}
} // namespace

UiServices ScriptedUi::services(MainWindow*& window) {
    UiServices s;
    s.runToolWindow = [this, &window](QWidget* owner, ToolWindowKind kind) {
        tools.push_back({kind, owner});
        if (auto answer = takeFront(toolAnswers, {})) {
            answer(window->state());
            return kToolOk;
        }
        const auto act = takeFront(toolActions, {[](QWidget* w) { w->close(); }});
        return runAndAct([&] { return window->runRealToolWindow(owner, kind); }, act);
    };
    s.chooseFile = [this](QWidget*, FileDialogKind, const QString& start) {
        fileStartFolders.push_back(start);
        return takeFront(fileAnswers, QString());
    };
    s.messageBox = boxes.fn();
    s.choosePopupItem = [this](QMenu*, const QPoint&) {
        ++popupsShown;
        return takeFront(popupAnswers, 0);
    };
    return s;
}

TestApp::TestApp(QSize workArea, bool startUpRequests) {
    restart(workArea, startUpRequests);
}

void TestApp::stop() {
    delete window;
    window = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestApp::restart(QSize workArea, bool startUpRequests) {
    stop();
    MainWindow::Options options;
    options.exeFolder = dir.path();
    options.ui = ui.services(window);
    options.workArea = [workArea] { return workArea; };
    options.startUpRequests = startUpRequests;
    window = new MainWindow(std::move(options));
}

bool TestApp::checked(int commandId) const {
    return findCommandAction(window, commandId)->isChecked();
}

void TestApp::showKnownCurves() {
    AppState& s = state();
    const auto doc = openDocumentFromAnchors(512, {{56, 200}, {180, 150}, {330, 120}, {567, 250}});
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        s.doc.channels[ch] = doc->channels[ch];
    }
    s.doc.currentChannel = 0;
    RefreshDocument(s, RefreshMode::Evaluating);
    s.history.reset(s.doc);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
}

QPoint TestApp::at(CurvePoint p) {
    const MainLayout& l = state().mainLayout;
    return {static_cast<int>(p.x) - l.horizontal.pos, static_cast<int>(p.y) - l.vertical.pos};
}

} // namespace spectrane::test
