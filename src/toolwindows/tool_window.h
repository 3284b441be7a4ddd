// The tool-window framework: every dialog of the program is a fixed-size ToolWindow run modally
// by RunToolWindow, which returns 1 (OK), 2 (Cancel or Escape) or 0 (close box).
#pragma once

#include <QDialog>
#include <QString>

#include <string_view>

namespace spectrane {

inline constexpr int kToolOk = 1;
inline constexpr int kToolCancel = 2;
inline constexpr int kToolClosed = 0;

struct ToolWindowSpec {
    const char* name;
    const char* title;
    int width; // outer size on a platform with a 3-pixel fixed frame and a 19-pixel caption
    int height;
    int clientWidth() const { return width - 6; }
    int clientHeight() const { return height - 25; }
};

// The table entry for `name` (exact, case-sensitive), or nullptr.
const ToolWindowSpec* findToolWindow(std::string_view name);

// Base of every tool window: titled and sized from the table, fixed client size, result codes
// as above. Subclasses build their controls in the constructor and call closeWith().
class ToolWindow : public QDialog {
    Q_OBJECT
public:
    ToolWindow(QWidget* owner, const ToolWindowSpec& spec);

    // Ends the window with `code`; the owner is enabled again by the runner.
    void closeWith(int code);
    int resultCode() const { return code_; }

protected:
    void reject() override; // Escape
    void closeEvent(QCloseEvent* event) override;

private:
    int code_ = kToolClosed;
};

struct AppState;

// Runs tool window `name` modally over a disabled `owner`; the window reads and, on OK, writes
// `state`. A name not in the table, or one whose window does not exist yet, shows nothing and
// returns 0 at once.
int RunToolWindow(QWidget* owner, std::string_view name, AppState& state);

// Runs an already built tool window modally over a disabled `owner` and returns its code.
int runModal(QWidget* owner, ToolWindow& window);

} // namespace spectrane
