// The tool-window framework: every dialog of the program is a fixed-size ToolWindow run modally
// by RunToolWindow, which returns 1 (OK), 2 (Cancel or Escape) or 0 (close box).
#pragma once

#include "qtsupport/message_box.h"
#include "toolwindows/tool_window_context.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <string_view>

class QLineEdit;

namespace spectrane {

inline constexpr int kToolOk = 1;
inline constexpr int kToolCancel = 2;
inline constexpr int kToolClosed = 0;

enum class ToolWindowKind {
    Direction,
    Length,
    SaveBitmap,
    NewGradation,
    Title,
    PositionSet,
    Cmy,
    Synchro,
    Loop,
};

struct ToolWindowSpec {
    ToolWindowKind kind;
    const char* name; // the window's name, also its object name
    const char* title;
    int width; // outer size on a platform with a 3-pixel fixed frame and a 19-pixel caption
    int height;
    int clientWidth() const { return width - 6; }
    int clientHeight() const { return height - 25; }
};

// The table entry of a kind.
const ToolWindowSpec& toolWindowSpec(ToolWindowKind kind);
// The table entry for `name` (exact, case-sensitive), or nullptr.
const ToolWindowSpec* findToolWindow(std::string_view name);

// Base of every tool window: titled and sized from the table, fixed client size, result codes
// as above, the tool windows' font. Subclasses build their controls in the constructor and
// call closeWith().
class ToolWindow : public QDialog {
    Q_OBJECT
public:
    ToolWindow(QWidget* owner, ToolWindowKind kind);

    // Ends the window with `code`; the owner is enabled again by the runner.
    void closeWith(int code);
    int resultCode() const { return code_; }

    // Message boxes of this window go through `fn` (empty = the real QMessageBox).
    void setMessageBox(MessageBoxFn fn) { messageBox_ = std::move(fn); }
    // The window the runner brings to the front once this one is gone: the owner unless the
    // window says otherwise; nullptr for none.
    virtual QWidget* windowToActivateWhenDone(QWidget* owner) const {
        return raisesOwner_ ? owner : nullptr;
    }

    void setVisible(bool visible) override;

protected:
    void reject() override; // Escape
    void closeEvent(QCloseEvent* event) override;

    // "Reset?" in a Yes/No warning box titled "確認"; true for Yes.
    bool confirmReset(const QString& question);
    // A refused value: the instruction under the title that calls the value invalid, OK only,
    // no icon; then the edit gets the focus with all its text selected.
    void refuse(QLineEdit* edit, const QString& title, const QString& instruction);
    void setRaisesOwnerWhenDone(bool raises) { raisesOwner_ = raises; }

private:
    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons);

    MessageBoxFn messageBox_;
    int code_ = kToolClosed;
    bool raisesOwner_ = true;
};

// Builds tool window `kind` over `owner` with its fields of `ctx`, without showing it; nullptr
// for the point position window, which needs its point (RunPositionSetWindow).
std::unique_ptr<ToolWindow> createToolWindow(ToolWindowKind kind, QWidget* owner,
                                             ToolWindowContext& ctx);

// Runs tool window `kind` modally over a disabled `owner`; the window reads and, on OK,
// writes its fields of `ctx`. The point position window needs its point and is run by
// RunPositionSetWindow instead: here it shows nothing and returns 0.
int RunToolWindow(QWidget* owner, ToolWindowKind kind, ToolWindowContext& ctx);
// The same by the window's name; a name not in the table shows nothing and returns 0 at once.
int RunToolWindow(QWidget* owner, std::string_view name, ToolWindowContext& ctx);

// Runs an already built tool window modally over a disabled `owner` and returns its code.
int execToolWindow(QWidget* owner, ToolWindow& window);

} // namespace spectrane
