// A main window for tests: its files in a scratch folder, a fixed work area, and dialogs,
// tool windows, popups and message boxes answered by the test.
#pragma once

#include "app/main_window.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"

#include <deque>
#include <functional>
#include <vector>

namespace spectrane::test {

struct ToolRequest {
    ToolWindowKind kind;
    QWidget* owner;
};

class ScriptedUi {
public:
    // The next tool windows: each answer changes the state and confirms; with none left the
    // real window runs and the next of `toolActions` is done to it (closed when none is left).
    std::deque<std::function<void(AppState&)>> toolAnswers;
    std::deque<std::function<void(QWidget*)>> toolActions;
    std::deque<QString> fileAnswers; // full paths; none left = Cancel
    std::deque<int> popupAnswers;    // item ids; none left = dismissed
    MessageRecorder boxes;

    std::vector<ToolRequest> tools;
    std::vector<QString> fileStartFolders;
    int popupsShown = 0;

    UiServices services(MainWindow*& window);
};

struct TestApp {
    TempDir dir;
    ScriptedUi ui;
    MainWindow* window = nullptr;

    // The worker's start-up requests run only when asked for.
    explicit TestApp(QSize workArea = QSize(1920, 1080), bool startUpRequests = false);
    ~TestApp() { stop(); }
    void restart(QSize workArea = QSize(1920, 1080), bool startUpRequests = false);
    void stop();
    AppState& state() { return window->state(); }
    const std::vector<MessageRecorder::Box>& messages() const { return ui.boxes.shown; }
    std::filesystem::path file(const char* name) const { return dir / name; }
    QString path(const char* name) const { return QString::fromStdString(file(name).string()); }
    bool checked(int commandId) const;
    // Every channel gets the same open curve with anchors (56, 200) (180, 150) (330, 120)
    // (567, 250); the window is shown.
    void showKnownCurves();
    // Where content point p is on the canvas, as scrolled now.
    QPoint at(CurvePoint p);
};

} // namespace spectrane::test
