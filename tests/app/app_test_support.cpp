#include "app_test_support.h"

#include "app/menus.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

namespace spectrane::test {

UiServices ScriptedUi::services(MainWindow*& window) {
    UiServices s;
    s.runToolWindow = [this, &window](QWidget* owner, ToolWindowKind kind) {
        tools.push_back({kind, owner});
        if (!toolAnswers.empty()) {
            auto answer = std::move(toolAnswers.front());
            toolAnswers.pop_front();
            return answer(window->state());
        }
        std::function<void(QWidget*)> act = [](QWidget* w) { w->close(); };
        if (!toolActions.empty()) {
            act = std::move(toolActions.front());
            toolActions.pop_front();
        }
        return runAndAct([&] { return window->runRealToolWindow(owner, kind); }, act);
    };
    s.chooseFile = [this](QWidget*, FileDialogKind, const QString& start) {
        fileStartFolders.push_back(start);
        if (fileAnswers.empty()) {
            return QString();
        }
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    };
    s.messageBox = boxes.fn();
    s.choosePopupItem = [this](QMenu*, const QPoint&) {
        ++popupsShown;
        if (popupAnswers.empty()) {
            return 0;
        }
        const int answer = popupAnswers.front();
        popupAnswers.pop_front();
        return answer;
    };
    return s;
}

TestApp::TestApp(QSize workArea, bool startUpRequests) {
    restart(workArea, startUpRequests);
}

TestApp::~TestApp() {
    stop();
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

} // namespace spectrane::test
