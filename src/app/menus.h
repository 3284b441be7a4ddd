// The main menu bar and the gradation window's popup menu, with the command id kept on every
// action so that check marks are set by id.
#pragma once

#include <QMenu>
#include <QMenuBar>

namespace spectrane {

// Fills `bar` with the five menus; triggered actions carry their id in QAction::data().
void buildMainMenu(QMenuBar* bar);

// The popup menu of the gradation window (ids 1000..1007, separators at 1001, 1004, 1006).
void buildBitmapPopupMenu(QMenu* menu);

// The action with command id `id` under `root`, or nullptr.
QAction* findCommandAction(const QWidget* root, int id);

// Sets the check mark of command `id`.
void setMenuCheck(const QWidget* root, int id, bool checked);

} // namespace spectrane
