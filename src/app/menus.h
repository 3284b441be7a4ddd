// Menu items that carry their command id, so that check marks are set and commands found by id.
#pragma once

#include <QMenu>

namespace spectrane {

// Appends an item (text UTF-8; id 0 makes a separator) whose QAction::data() is its id.
QAction* addMenuItem(QMenu* menu, int id, const QString& text, bool checkable);

// The gradation window's popup menu (ids 1000..1007, separators at 1001, 1004, 1006).
void buildBitmapPopupMenu(QMenu* menu);

// The action with command id `id` under `root`, or nullptr.
QAction* findCommandAction(const QWidget* root, int id);

// Sets the check mark of command `id`.
void setMenuCheck(const QWidget* root, int id, bool checked);

} // namespace spectrane
