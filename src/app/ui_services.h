// The services through which commands talk to the user: tool windows, file dialogs and message
// boxes. The program uses the real ones; tests answer them without a person.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <string_view>

class QMenu;
class QPoint;
class QWidget;

namespace spectrane {

enum class FileDialogKind { OpenLineData, SaveLineData, SaveBitmap };

struct UiServices {
    // Runs tool window `name` owned by `owner`; returns 1, 2 or 0.
    std::function<int(QWidget* owner, std::string_view name)> runToolWindow;
    // Asks for a file; returns its full path, or an empty string when cancelled.
    std::function<QString(QWidget* owner, FileDialogKind kind, const QString& startFolder)>
        chooseFile;
    // Shows a message box; returns the button pressed.
    std::function<QMessageBox::StandardButton(QWidget* owner, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons)>
        messageBox;
    // Shows a popup menu at a screen position; returns the chosen item's id, 0 if dismissed.
    std::function<int(QMenu* menu, const QPoint& screenPos)> choosePopupItem;
};

// The real dialogs: QFileDialog with the program's filters, titles and preset names, and
// QMessageBox.
QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& startFolder);
int execPopupMenu(QMenu* menu, const QPoint& screenPos);
QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);

} // namespace spectrane
