// How the program shows a message box and learns the button pressed: the real QMessageBox, or
// a test's recorder in its place.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace spectrane {

using MessageBoxFn = std::function<QMessageBox::StandardButton(
    QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons)>;

// A modal QMessageBox owned by `owner`; returns the button pressed.
QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);

} // namespace spectrane
