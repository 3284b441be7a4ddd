#include "toolwindows/tool_window.h"

#include "qtsupport/fonts.h"
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
    {ToolWindowKind::Direction, "SettingWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "グラデーションの方向の変更"), 382, 356},
    {ToolWindowKind::Length, "SettingLengthWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "グラデーションの長さの変更"), 444, 400},
    {ToolWindowKind::SaveBitmap, "SaveBitMapWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "ビットマップ画像として保存"), 461, 268},
    {ToolWindowKind::NewGradation, "Shinki_Wnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "新規作成"), 380, 523},
    {ToolWindowKind::Title, "TitleWnd", "Welcome", 480, 360},
    {ToolWindowKind::PositionSet, "PositionSetWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "ポイント位置のセット"), 180, 191},
    {ToolWindowKind::Cmy, "UseCMY_Wnd", QT_TRANSLATE_NOOP("spectrane::ToolWindow", "CMYモード"),
     386, 416},
    {ToolWindowKind::Synchro, "SyncroModeWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "シンクロ・モード"), 386, 444},
    {ToolWindowKind::Loop, "LoopOnOffWnd",
     QT_TRANSLATE_NOOP("spectrane::ToolWindow", "グラデーションのループ"), 366, 390},
}};

} // namespace

// Each window gets the fields it edits and nothing more.
std::unique_ptr<ToolWindow> createToolWindow(ToolWindowKind kind, QWidget* owner,
                                             ToolWindowContext& ctx) {
    GradationDocument& doc = ctx.doc;
    Settings& settings = ctx.settings;
    switch (kind) {
    case ToolWindowKind::Direction:
        return std::make_unique<DirectionWindow>(owner, ctx.previews, doc.direction);
    case ToolWindowKind::Length:
        return std::make_unique<LengthWindow>(owner, ctx.previews, doc.direction, doc.length,
                                              settings.lengthChangeMethod);
    case ToolWindowKind::SaveBitmap:
        return std::make_unique<SaveBitmapWindow>(owner, ctx.previews, doc.direction, doc.thickness,
                                                  settings.saveWidth, settings.useWindowWidth);
    case ToolWindowKind::NewGradation:
        return std::make_unique<NewGradationWindow>(owner, ctx.previews, doc.length, doc.direction,
                                                    doc.loop);
    case ToolWindowKind::Title:
        return std::make_unique<TitleWindow>(owner, ctx.mainWindow);
    case ToolWindowKind::Cmy:
        return std::make_unique<CmyWindow>(owner, doc.mode);
    case ToolWindowKind::Synchro:
        return std::make_unique<SynchroWindow>(owner, doc.synchro, doc.synchroChannels, doc.mode,
                                               doc.currentChannel);
    case ToolWindowKind::Loop:
        return std::make_unique<LoopWindow>(owner, doc.loop);
    case ToolWindowKind::PositionSet:
        break; // needs its point: RunPositionSetWindow
    }
    return nullptr;
}

const ToolWindowSpec& toolWindowSpec(ToolWindowKind kind) {
    for (const ToolWindowSpec& spec : kToolWindows) {
        if (spec.kind == kind) {
            return spec;
        }
    }
    return kToolWindows.front(); // every kind is in the table
}

const ToolWindowSpec* findToolWindow(std::string_view name) {
    for (const ToolWindowSpec& spec : kToolWindows) {
        if (name == spec.name) {
            return &spec;
        }
    }
    return nullptr;
}

ToolWindow::ToolWindow(QWidget* owner, ToolWindowKind kind) : QDialog(owner) {
    const ToolWindowSpec& spec = toolWindowSpec(kind);
    setObjectName(QString::fromUtf8(spec.name));
    setWindowTitle(tr(spec.title)); // "Welcome" has no translation and stays
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

QMessageBox::StandardButton ToolWindow::ask(QMessageBox::Icon icon, const QString& title,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) {
    const MessageBoxFn& fn = messageBox_ ? messageBox_ : MessageBoxFn(showMessageBox);
    return fn(this, icon, title, text, buttons);
}

bool ToolWindow::confirmReset(const QString& question) {
    return ask(QMessageBox::Warning, tr("確認"), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void ToolWindow::refuse(QLineEdit* edit, const QString& title, const QString& instruction) {
    ask(QMessageBox::NoIcon, title, instruction, QMessageBox::Ok);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

int execToolWindow(QWidget* owner, ToolWindow& window) {
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

int RunToolWindow(QWidget* owner, ToolWindowKind kind, ToolWindowContext& ctx) {
    std::unique_ptr<ToolWindow> window = createToolWindow(kind, owner, ctx);
    if (!window) {
        return kToolClosed;
    }
    window->setMessageBox(ctx.messageBox);
    return execToolWindow(owner, *window);
}

int RunToolWindow(QWidget* owner, std::string_view name, ToolWindowContext& ctx) {
    const ToolWindowSpec* spec = findToolWindow(name);
    return spec != nullptr ? RunToolWindow(owner, spec->kind, ctx) : kToolClosed;
}

} // namespace spectrane
