// Helpers of the Qt tests: message boxes recorded and answered without a person, a modal window
// acted on once it is up, and controls found by their id.
#pragma once

#include "qtsupport/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

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

    MessageBoxFn fn() {
        return [this](QWidget* owner, QMessageBox::Icon icon, const QString& title,
                      const QString& text, QMessageBox::StandardButtons buttons) {
            shown.push_back({owner, icon, title, text, buttons});
            if (!buttons.testFlag(QMessageBox::Yes)) {
                return QMessageBox::Ok;
            }
            const QMessageBox::StandardButton answer =
                answers.empty() ? QMessageBox::No : answers.front();
            if (!answers.empty()) {
                answers.pop_front();
            }
            return answer;
        };
    }
};

template <class T = QWidget> T* control(QWidget* window, int id) {
    return window->findChild<T*>(QStringLiteral("id%1").arg(id));
}
inline void click(QWidget* window, int id) {
    control<QAbstractButton>(window, id)->click();
}
inline void setText(QWidget* window, int id, const char* utf8) {
    control<QLineEdit>(window, id)->setText(u(utf8));
}

// Runs `run`, which opens a modal window, and does `act` to that window once it is up.
inline int runAndAct(const std::function<int()>& run, const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
    return run();
}

} // namespace spectrane::test
