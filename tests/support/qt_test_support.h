// Helpers shared by the Qt tests: message boxes answered and recorded without a person, a modal
// window acted on once it is up, and controls found by their id.
#pragma once

#include "qtsupport/message_box.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace spectrane::test {

inline QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Question boxes (with a Yes button) take the queued answers, No when none is left; the others
// answer OK.
struct MessageRecorder {
    struct Box {
        QWidget* owner;
        QMessageBox::Icon icon;
        QString title;
        QString text;
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
inline void click(QWidget* window, int id) {
    control<QAbstractButton>(window, id)->click();
}
inline void setText(QWidget* window, int id, const char* utf8) {
    control<QLineEdit>(window, id)->setText(u(utf8));
}

// Runs `run` (which opens a modal window) and, once the window is up, does `act` to it.
int runAndAct(const std::function<int()>& run, const std::function<void(QWidget*)>& act);

} // namespace spectrane::test
