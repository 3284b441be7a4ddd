#include "toolwindows/tool_window.h"

#include <QCloseEvent>

#include <array>

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
}

void ToolWindow::closeWith(int code) {
    code_ = code;
    done(code);
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

int runModal(QWidget* owner, ToolWindow& window) {
    if (owner != nullptr) {
        owner->setEnabled(false);
    }
    window.exec();
    if (owner != nullptr) {
        owner->setEnabled(true);
    }
    return window.resultCode();
}

int RunToolWindow(QWidget* owner, std::string_view name, AppState& state) {
    (void)owner;
    (void)state;
    if (findToolWindow(name) == nullptr) {
        return kToolClosed;
    }
    // The windows themselves are added here one by one.
    return kToolClosed;
}

} // namespace spectrane
