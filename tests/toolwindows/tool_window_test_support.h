// Helpers for the tool-window tests: a program state with the preview sheet and text drawing,
// recorded message boxes, and controls found by their id.
#pragma once

#include "app/app_state.h"
#include "toolwindows/tool_window.h"

#include <QMessageBox>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace spectrane::test {

// A state as the program has it after start-up: preview sheet drawn, Qt text renderer.
std::unique_ptr<AppState> makeToolState();

// Message boxes answered without a person: question boxes take the queued answers (No when
// none is left), others answer OK.
struct RecordedBoxes {
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    std::vector<Box> shown;
    std::deque<QMessageBox::StandardButton> answers;
    MessageBoxFn fn();
};

// The control with id `id` under `window`, as type T (nullptr if missing).
template <class T = QWidget> T* control(QWidget* window, int id) {
    return window->findChild<T*>(QStringLiteral("id%1").arg(id));
}

// Runs `run` (which opens a modal window) and, once the window is up, does `act` to it.
int runAndAct(const std::function<int()>& run, const std::function<void(QWidget*)>& act);

} // namespace spectrane::test
