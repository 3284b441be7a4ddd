#include "tool_window_test_support.h"

#include "qtsupport/qt_text_renderer.h"
#include "views/previews.h"

#include <QApplication>
#include <QTimer>

namespace spectrane::test {

std::unique_ptr<AppState> makeToolState() {
    auto state = std::make_unique<AppState>();
    state->text = std::make_unique<QtTextRenderer>();
    DrawPreviewSheet(state->buffers.previewSheet);
    return state;
}

MessageBoxFn RecordedBoxes::fn() {
    return [this](QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                  QMessageBox::StandardButtons buttons) {
        shown.push_back({title, text, icon, buttons});
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
    QTimer::singleShot(0, [act] {
        QWidget* window = QApplication::activeModalWidget();
        act(window);
    });
    return run();
}

} // namespace spectrane::test
