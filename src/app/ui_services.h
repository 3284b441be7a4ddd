// The services through which commands talk to the user: tool windows, file dialogs, message
// boxes and popup menus. The program uses the real ones; tests answer them without a person.
#pragma once

#include "qtsupport/message_box.h"
#include "toolwindows/tool_window.h"

#include <QString>

#include <functional>

class QMenu;
class QPoint;
class QWidget;

namespace spectrane {

enum class FileDialogKind { OpenLineData, SaveLineData, SaveBitmap, ExportColorTable, Import };

// Whether the kind's dialog starts in the bitmap folder (outputs for other programs) rather
// than the line data folder.
constexpr bool startsInBitmapFolder(FileDialogKind kind) {
    return kind == FileDialogKind::SaveBitmap || kind == FileDialogKind::ExportColorTable;
}

struct UiServices {
    // Runs tool window `kind` owned by `owner`; returns 1, 2 or 0.
    std::function<int(QWidget* owner, ToolWindowKind kind)> runToolWindow;
    // Asks for a file; returns its full path, or an empty string when cancelled.
    std::function<QString(QWidget* owner, FileDialogKind kind, const QString& startFolder)>
        chooseFile;
    // Shows a message box; returns the button pressed.
    MessageBoxFn messageBox;
    // Shows a popup menu at a screen position; returns the chosen item's id, 0 if dismissed.
    std::function<int(QMenu* menu, const QPoint& screenPos)> choosePopupItem;
};

// The real file dialog: QFileDialog with the program's filters, titles and preset names. A save
// dialog's name always ends in the extension of a format it offers: the one typed, else the
// chosen filter's.
QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& startFolder);
// The real popup: QMenu::exec; the chosen action's id, 0 if dismissed.
int execPopupMenu(QMenu* menu, const QPoint& screenPos);

} // namespace spectrane
