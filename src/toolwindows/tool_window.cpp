#include "toolwindows/tool_window.h"

#include "app/app_state.h"
#include "qtsupport/fonts.h"
#include "app/ui_services.h"
#include "toolwindows/cmy_window.h"
#include "toolwindows/direction_window.h"
#include "toolwindows/length_window.h"
#include "toolwindows/loop_window.h"
#include "toolwindows/new_gradation_window.h"
#include "toolwindows/save_bitmap_window.h"
#include "toolwindows/synchro_window.h"
#include "toolwindows/title_window.h"

#include <QCloseEvent>
#include <QLineEdit>

#include <array>
#include <memory>

namespace spectrane {

namespace {

constexpr std::array<ToolWindowSpec, 9> kToolWindows{{
    {"SettingWnd", "グラデーションの方向の変更", 382, 356},
    {"SettingLengthWnd", "グラデーションの長さの変更", 444, 400},
    {"SaveBitMapWnd", "ビットマップ画像として保存", 461, 268},
    {"Shinki_Wnd", "新規作成", 380, 523},
    {"TitleWnd", "Welcome", 480, 360},
    {"PositionSetWnd", "ポイント位置のセット", 180, 191},
    {"UseCMY_Wnd", "CMYモード", 386, 416},
    {"SyncroModeWnd", "シンクロ・モード", 386, 444},
    {"LoopOnOffWnd", "グラデーションのループ", 366, 390},
}};

std::unique_ptr<ToolWindow> createToolWindow(std::string_view name, QWidget* owner,
                                             AppState& state) {
    if (name == "SettingWnd") {
        return std::make_unique<DirectionWindow>(owner, state);
    }
    if (name == "SettingLengthWnd") {
        return std::make_unique<LengthWindow>(owner, state);
    }
    if (name == "SaveBitMapWnd") {
        return std::make_unique<SaveBitmapWindow>(owner, state);
    }
    if (name == "Shinki_Wnd") {
        return std::make_unique<NewGradationWindow>(owner, state);
    }
    if (name == "TitleWnd") {
        return std::make_unique<TitleWindow>(owner, state);
    }
    if (name == "UseCMY_Wnd") {
        return std::make_unique<CmyWindow>(owner, state);
    }
    if (name == "SyncroModeWnd") {
        return std::make_unique<SynchroWindow>(owner, state);
    }
    if (name == "LoopOnOffWnd") {
        return std::make_unique<LoopWindow>(owner, state);
    }
    return nullptr;
}

} // namespace

const ToolWindowSpec* findToolWindow(std::string_view name) {
    for (const ToolWindowSpec& spec : kToolWindows) {
        if (name == spec.name) {
            return &spec;
        }
    }
    return nullptr;
}

ToolWindow::ToolWindow(QWidget* owner, const ToolWindowSpec& spec) : QDialog(owner) {
    setObjectName(QString::fromUtf8(spec.name));
    setWindowTitle(QString::fromUtf8(spec.title));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(spec.clientWidth(), spec.clientHeight());
    setModal(true);
    setFont(programFont(kGothicFace, 12));
}

void ToolWindow::closeWith(int code) {
    code_ = code;
    done(code);
}

void ToolWindow::setVisible(bool visible) {
    QDialog::setVisible(visible);
    // The dialog focuses its first edit as if tabbed into, which selects the text; on opening
    // the caret stands after the last character instead.
    if (visible) {
        if (auto* edit = qobject_cast<QLineEdit*>(focusWidget())) {
            edit->deselect();
            edit->end(false);
        }
    }
}

void ToolWindow::reject() {
    closeWith(kToolCancel);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    if (isVisible()) {
        code_ = kToolClosed;
        done(kToolClosed);
    }
    event->accept();
}

QMessageBox::StandardButton ToolWindow::ask(QMessageBox::Icon icon, const char* title,
                                            const char* text,
                                            QMessageBox::StandardButtons buttons) {
    const MessageBoxFn& fn = messageBox_ ? messageBox_ : MessageBoxFn(showMessageBox);
    return fn(this, icon, QString::fromUtf8(title), QString::fromUtf8(text), buttons);
}

bool ToolWindow::confirmReset(const char* question) {
    return ask(QMessageBox::Warning, "確認", question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void ToolWindow::refuse(QLineEdit* edit, const char* title, const char* instruction) {
    ask(QMessageBox::NoIcon, title, instruction, QMessageBox::Ok);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

int runModal(QWidget* owner, ToolWindow& window) {
    if (owner != nullptr) {
        // Disabling a widget disables its child windows too, which takes their focus away; the
        // tool window must stay usable with the control it chose to focus.
        QWidget* focus = window.focusWidget();
        owner->setEnabled(false);
        window.setEnabled(true);
        if (focus != nullptr) {
            focus->setFocus(Qt::OtherFocusReason);
        }
    }
    window.exec();
    if (owner != nullptr) {
        owner->setEnabled(true);
    }
    if (QWidget* front = window.windowToActivateWhenDone(owner)) {
        front->raise();
        front->activateWindow();
    }
    return window.resultCode();
}

int RunToolWindow(QWidget* owner, std::string_view name, AppState& state,
                  const MessageBoxFn& messageBox) {
    if (findToolWindow(name) == nullptr) {
        return kToolClosed;
    }
    std::unique_ptr<ToolWindow> window = createToolWindow(name, owner, state);
    if (!window) { // PositionSetWnd
        return kToolClosed;
    }
    window->setMessageBox(messageBox);
    return runModal(owner, *window);
}

} // namespace spectrane
