// "TitleWnd": the welcome window with the program's name and version, centred on the main
// window; it always closes with 0.
#pragma once

#include "toolwindows/tool_window.h"

class QPushButton;

namespace spectrane {

class TitleWindow : public ToolWindow {
    Q_OBJECT
public:
    // Centres on `mainWindow` (the owner when none) and activates it when it closes.
    TitleWindow(QWidget* owner, QWidget* mainWindow);

    // The window that the title window centres on and activates when it closes.
    QWidget* mainWindow() const { return main_; }
    QWidget* windowToActivateWhenDone(QWidget*) const override { return main_; }

protected:
    void reject() override; // Escape does nothing: there is no Cancel
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void centreOnMainWindow();

    QWidget* main_;
    QPushButton* ok_;
};

} // namespace spectrane
