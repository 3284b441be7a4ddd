#include "app/backup_offer.h"

#include "files/in_place_backup.h"
#include "qtsupport/shown_text.h"

#include <QCoreApplication>

namespace spectrane {

void offerInPlaceBackups(QWidget* owner, const std::filesystem::path& folder,
                         const MessageBoxFn& messageBox) {
    for (const InPlaceBackup& backup : findInPlaceBackups(folder)) {
        const QString file = QString::fromStdString(backup.target.string());
        const auto answer = messageBox(
            owner, QMessageBox::Question, QStringLiteral("Spectrane"),
            QCoreApplication::translate("Messages", "「%1」の保存は途中で中断されました。\n"
                                                    "保存前の内容に戻しますか？")
                .arg(file),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            discardInPlaceBackup(backup);
            continue;
        }
        const FileResult restored = restoreInPlaceBackup(backup);
        if (!restored) {
            messageBox(owner, QMessageBox::Warning, QStringLiteral("Spectrane"),
                       failureText(restored), QMessageBox::Ok);
        }
    }
}

} // namespace spectrane
