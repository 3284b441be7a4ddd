#include "app/dialog_runner.h"

#include "app/bitmap_window.h"
#include "app/gradation_window_controller.h"

#include <QCoreApplication>

namespace spectrane {

DialogRunner::DialogRunner(QWidget* mainWindow, GradationWindowController& gradation,
                           const ProgramPaths& paths, UiServices services)
    : main_(mainWindow), gradation_(gradation), paths_(paths), services_(std::move(services)) {}

QWidget* DialogRunner::owner() const {
    if (gradation_.isTopmostOpen()) {
        return gradation_.window();
    }
    return main_;
}

int DialogRunner::runToolWindow(ToolWindowKind kind) {
    setGradationWindowEnabled(false);
    const int result = services_.runToolWindow(owner(), kind);
    setGradationWindowEnabled(true);
    raiseMainIfGradationTopmost();
    return result;
}

int DialogRunner::runToolWindowOwnedBy(QWidget* owner, QWidget* disabled, ToolWindowKind kind) {
    disabled->setEnabled(false);
    const int result = services_.runToolWindow(owner, kind);
    disabled->setEnabled(true);
    return result;
}

QString DialogRunner::chooseFile(FileDialogKind kind) {
    setGradationWindowEnabled(false);
    const QString chosen = chooseFileOwnedBy(owner(), kind);
    setGradationWindowEnabled(true);
    raiseMainIfGradationTopmost();
    return chosen;
}

QString DialogRunner::chooseFileOwnedBy(QWidget* owner, FileDialogKind kind) {
    const bool bitmap = startsInBitmapFolder(kind);
    bool& confirmedBefore = bitmap ? bitmapDialogConfirmed_ : lineDataDialogConfirmed_;
    std::filesystem::path start = lastChosenFolder_;
    if (!confirmedBefore) {
        start = bitmap ? paths_.bitmapFolder : paths_.lineDataFolder;
        std::error_code ec;
        std::filesystem::create_directories(start, ec);
    }
    const QString chosen =
        services_.chooseFile(owner, kind, QString::fromStdString(start.string()));
    if (!chosen.isEmpty()) {
        lastChosenFolder_ = std::filesystem::path(chosen.toStdString()).parent_path();
        confirmedBefore = true;
    }
    return chosen;
}

QMessageBox::StandardButton DialogRunner::message(QWidget* owner, QMessageBox::Icon icon,
                                                  const QString& title, const QString& text,
                                                  QMessageBox::StandardButtons buttons) {
    return services_.messageBox(owner, icon, title, text, buttons);
}

void DialogRunner::requestMessageBox(const QString& text) {
    setGradationWindowEnabled(false);
    message(owner(), QMessageBox::NoIcon, QCoreApplication::translate("DialogRunner", "メッセージ"),
            text);
    setGradationWindowEnabled(true);
}

void DialogRunner::setGradationWindowEnabled(bool enabled) {
    if (gradation_.isOpen() && owner() != gradation_.window()) {
        gradation_.setEnabled(enabled);
    }
}

void DialogRunner::raiseMainIfGradationTopmost() {
    if (gradation_.isTopmostOpen()) {
        main_->raise();
        main_->activateWindow();
    }
}

} // namespace spectrane
