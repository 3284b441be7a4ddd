// A main window for tests: its files in a scratch folder, a fixed work area, and dialogs,
// tool windows and message boxes answered by the test.
#pragma once

#include "app/main_window.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace spectrane::test {

struct ToolRequest {
    ToolWindowKind kind;
    QWidget* owner;
};

class ScriptedUi {
public:
    // Answers for the next tool windows, in order: each may change the state, then returns
    // the window's result. With none left, the real tool window runs and the next of
    // `toolActions` is done to it once it is up (closed with 0 when there is none either).
    std::deque<std::function<int(AppState&)>> toolAnswers;
    std::deque<std::function<void(QWidget*)>> toolActions;
    // Answers for the next file dialogs: a full path, or empty for Cancel.
    std::deque<QString> fileAnswers;
    // Answers for the next popup menus: the chosen item's id (0 = dismissed).
    std::deque<int> popupAnswers;
    MessageRecorder boxes; // question boxes take boxes.answers

    std::vector<ToolRequest> tools;
    std::vector<QString> fileStartFolders;
    int popupsShown = 0;

    UiServices services(MainWindow*& window);
};

struct TestApp {
    TempDir dir;
    ScriptedUi ui;
    MainWindow* window = nullptr;

    // Starts the program with its settings and folders in `dir`; the worker's start-up
    // requests only when asked for.
    explicit TestApp(QSize workArea = QSize(1920, 1080), bool startUpRequests = false);
    ~TestApp();
    void restart(QSize workArea = QSize(1920, 1080), bool startUpRequests = false);
    void stop();
    AppState& state() { return window->state(); }
    const std::vector<MessageRecorder::Box>& messages() const { return ui.boxes.shown; }
    std::filesystem::path file(const char* name) const { return dir / name; }
    QString path(const char* name) const { return QString::fromStdString(file(name).string()); }
    bool checked(int commandId) const;
};

} // namespace spectrane::test
