#include "support/qt_test_support.h"

#include <QApplication>
#include <QTimer>

namespace spectrane::test {

MessageBoxFn MessageRecorder::fn() {
    return [this](QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text,
                  QMessageBox::StandardButtons buttons) {
        shown.push_back({owner, icon, title, text, buttons});
        if (!buttons.testFlag(QMessageBox::Yes)) {
            return QMessageBox::Ok;
        }
        if (answers.empty()) {
            return QMessageBox::No;
        }
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    };
}

int runAndAct(const std::function<int()>& run, const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
    return run();
}

} // namespace spectrane::test
