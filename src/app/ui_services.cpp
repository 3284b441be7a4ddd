#include "app/ui_services.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>

namespace spectrane {

QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& startFolder) {
    QFileDialog dialog(owner);
    const QString lineDataFilters =
        QString::fromUtf8("RGBラインデータ・ファイル(*.spd);;すべてのファイル(*.*)");
    dialog.setDirectory(startFolder);
    switch (kind) {
    case FileDialogKind::OpenLineData:
        dialog.setWindowTitle(QString::fromUtf8("RGBラインデータ・ファイルを開く"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(lineDataFilters);
        dialog.setDefaultSuffix(QStringLiteral("spd"));
        break;
    case FileDialogKind::SaveLineData:
        dialog.setWindowTitle(QString::fromUtf8("RGBラインデータ・ファイルの保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(lineDataFilters);
        dialog.setDefaultSuffix(QStringLiteral("spd"));
        dialog.selectFile(QStringLiteral("RGBLineData"));
        break;
    case FileDialogKind::SaveBitmap:
        dialog.setWindowTitle(QString::fromUtf8("ビットマップ・ファイルの保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QString::fromUtf8("ビットマップ・ファイル(*.bmp)"));
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        dialog.selectFile(QStringLiteral("GradationBitMap"));
        break;
    }
    // Overwriting asks first (the default of a save dialog); read-only returns do not exist here.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

int execPopupMenu(QMenu* menu, const QPoint& screenPos) {
    const QAction* chosen = menu->exec(screenPos);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

} // namespace spectrane
