// How the main window's commands open dialogs: which window owns them, the gradation window
// disabled around them, the main window brought forward afterwards, and where file dialogs
// start (the default folders until a dialog of that kind was confirmed, then the folder of the
// file chosen last).
#pragma once

#include "app/ui_services.h"
#include "files/program_folders.h"

#include <filesystem>

namespace spectrane {

class GradationWindowController;

class DialogRunner {
public:
    DialogRunner(QWidget* mainWindow, GradationWindowController& gradation,
                 const ProgramPaths& paths, UiServices services);

    const UiServices& services() const { return services_; }

    // The gradation window when it is open and set to stay on top, else the main window.
    QWidget* owner() const;

    // Tool window `kind` owned by the dialog owner, with the gradation window disabled around it
    // and the main window brought forward afterwards when the gradation window stays on top.
    int runToolWindow(ToolWindowKind kind);
    // Tool window `kind` owned by `owner` with `disabled` disabled around it (the gradation
    // window's popup commands disable the main window instead).
    int runToolWindowOwnedBy(QWidget* owner, QWidget* disabled, ToolWindowKind kind);

    // A file dialog owned by the dialog owner, with the gradation window disabled around it and
    // the main window brought forward afterwards; the chosen path, or empty when cancelled.
    QString chooseFile(FileDialogKind kind);
    // A file dialog owned by `owner`, nothing else done around it.
    QString chooseFileOwnedBy(QWidget* owner, FileDialogKind kind);

    QMessageBox::StandardButton message(QWidget* owner, QMessageBox::Icon icon,
                                        const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // The main window's message-box request: titled "メッセージ", OK only, owned by the dialog
    // owner, the gradation window disabled around it.
    void requestMessageBox(const QString& text);

    // Disables or enables the gradation window around a dialog; a gradation window that owns the
    // dialog stays enabled, or the dialog would be disabled with it.
    void setGradationWindowEnabled(bool enabled);
    // After a dialog: when the gradation window stays on top, the main window comes forward.
    void raiseMainIfGradationTopmost();

private:
    QWidget* main_;
    GradationWindowController& gradation_;
    const ProgramPaths& paths_;
    UiServices services_;
    std::filesystem::path lastChosenFolder_;
    bool lineDataDialogConfirmed_ = false;
    bool bitmapDialogConfirmed_ = false;
};

} // namespace spectrane
