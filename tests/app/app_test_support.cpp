#include "app_test_support.h"

#include "toolwindows/tool_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

namespace spectrane::test {

UiServices ScriptedUi::services(std::function<AppState&()> state) {
    UiServices s;
    s.runToolWindow = [this, state](QWidget* owner, std::string_view name) {
        tools.push_back({std::string(name), owner});
        if (toolAnswers.empty() && !toolActions.empty()) {
            auto act = std::move(toolActions.front());
            toolActions.pop_front();
            QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
            return realRunner(owner, name);
        }
        if (toolAnswers.empty()) {
            return 0;
        }
        auto answer = std::move(toolAnswers.front());
        toolAnswers.pop_front();
        return answer(state());
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
    messageBoxFn = [this](QWidget* owner, QMessageBox::Icon icon, const QString& title,
                          const QString& text, QMessageBox::StandardButtons buttons) {
        messages.push_back({title, text, icon, owner});
        if (buttons.testFlag(QMessageBox::Yes)) {
            if (questionAnswers.empty()) {
                return QMessageBox::No;
            }
            const auto answer = questionAnswers.front();
            questionAnswers.pop_front();
            return answer;
        }
        return QMessageBox::Ok;
    };
    s.messageBox = messageBoxFn;
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

TestApp::TestApp(QSize workArea) {
    restart(workArea);
}

void TestApp::restart(QSize workArea) {
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MainWindow::Options options;
    options.exeFolder = dir.path();
    options.ui = ui.services([this]() -> AppState& { return window->state(); });
    options.workArea = [workArea] { return workArea; };
    options.startUpRequests = false;
    window = std::make_unique<MainWindow>(std::move(options));
    ui.realRunner = [this](QWidget* owner, std::string_view name) {
        return window->runRealToolWindow(owner, name);
    };
}

} // namespace spectrane::test
