// A main window for tests: its files in a scratch folder, a fixed work area, and dialogs,
// tool windows and message boxes answered by the test.
#pragma once

#include "app/main_window.h"
#include "support/test_support.h"
#include "toolwindows/tool_window.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace spectrane::test {

struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QWidget* owner;
};

struct ToolRequest {
    std::string name;
    QWidget* owner;
};

class ScriptedUi {
public:
    // Answers for the next tool windows, in order: each may change the state, then returns
    // the window's result. With none left a tool window is closed (0).
    std::deque<std::function<int(AppState&)>> toolAnswers;
    // With no answer queued, the real tool window runs (its message boxes answered as below)
    // and the next of these actions is done to it once it is up.
    std::deque<std::function<void(QWidget*)>> toolActions;
    // Runs the real tool window for toolActions; set by TestApp.
    std::function<int(QWidget*, std::string_view)> realRunner;
    // Answers for the next file dialogs: a full path, or empty for Cancel.
    std::deque<QString> fileAnswers;
    // Answers for question boxes (Yes/No); other boxes answer OK.
    std::deque<QMessageBox::StandardButton> questionAnswers;
    // Answers for the next popup menus: the chosen item's id (0 = dismissed, also when none
    // are left).
    std::deque<int> popupAnswers;

    std::vector<ToolRequest> tools;
    std::vector<QString> fileStartFolders;
    std::vector<ShownMessage> messages;
    int popupsShown = 0;

    UiServices services(std::function<AppState&()> state);

private:
    MessageBoxFn messageBoxFn;
};

struct TestApp {
    TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<MainWindow> window;

    // Starts the program with its settings and folders in `dir`.
    explicit TestApp(QSize workArea = QSize(1920, 1080));
    void restart(QSize workArea = QSize(1920, 1080));
    AppState& state() { return window->state(); }
};

} // namespace spectrane::test
