#include "qtsupport/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QScreen>
#include <QSpacerItem>

namespace spectrane {

namespace {

// Width a window manager needs to show `title` whole: its title bars use a font often larger and
// bolder than the application's, beside an icon and up to three buttons. Qt sizes a message box
// for its text and allows only 50 pixels beyond the title, so a short text under a long title got
// the title cut.
int titleBarWidth(const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    constexpr int kFrameControls = 160;
    return QFontMetrics(font).horizontalAdvance(title) + kFrameControls;
}

} // namespace

QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, owner);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const QScreen* screen =
            owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
        const int width = std::min(titleBarWidth(title),
                                   screen != nullptr ? screen->availableGeometry().width() : 1000);
        // A row of its own, as wide as the title needs: the box's own sizing keeps to it.
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace spectrane
