#include "app/ui_services.h"

#include "exchange/exchange_format.h"
#include "qtsupport/shown_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>

namespace spectrane {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The formats a dialog offers, its filters in that order.
std::vector<ExchangeFormat> offeredFormats(FileDialogKind kind) {
    std::vector<ExchangeFormat> formats;
    if (kind == FileDialogKind::SaveBitmap) {
        return {ExchangeFormat::Bmp, ExchangeFormat::Png}; // BMP first: the default
    }
    for (const ExchangeFormatInfo& f : exchangeFormats()) {
        if (f.colorTable || kind == FileDialogKind::Import) {
            formats.push_back(f.format);
        }
    }
    return formats;
}

QStringList filtersOf(const std::vector<ExchangeFormat>& formats) {
    QStringList filters;
    for (ExchangeFormat f : formats) {
        filters << shownText(formatInfo(f).filter);
    }
    return filters;
}

// A saved name ends in the extension of an offered format: the one typed, else the chosen
// filter's, added (and the overwrite asked about again, as the dialog asked about the name
// without it).
QString withOfferedExtension(QWidget* owner, const QString& chosen,
                             const std::vector<ExchangeFormat>& formats, int filterIndex) {
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    for (ExchangeFormat f : formats) {
        if (suffix == text(formatInfo(f).extension)) {
            return chosen;
        }
    }
    const QString named = chosen + '.' + text(formatInfo(formats[filterIndex]).extension);
    if (QFileInfo::exists(named) &&
        QMessageBox::question(
            owner, QCoreApplication::translate("FileDialogs", "確認"),
            QCoreApplication::translate("FileDialogs", "%1 は既に存在します。\n上書きしますか？")
                .arg(QFileInfo(named).fileName())) != QMessageBox::Yes) {
        return {};
    }
    return named;
}

} // namespace

QString chooseFileWithDialog(QWidget* owner, FileDialogKind kind, const QString& startFolder) {
    QFileDialog dialog(owner);
    const QString lineDataFilters = QCoreApplication::translate(
        "FileDialogs", "RGBラインデータ・ファイル(*.spd);;すべてのファイル(*.*)");
    const std::vector<ExchangeFormat> formats = offeredFormats(kind);
    QStringList filters = filtersOf(formats);
    dialog.setDirectory(startFolder);
    switch (kind) {
    case FileDialogKind::OpenLineData:
        dialog.setWindowTitle(
            QCoreApplication::translate("FileDialogs", "RGBラインデータ・ファイルを開く"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(lineDataFilters);
        dialog.setDefaultSuffix(QStringLiteral("spd"));
        break;
    case FileDialogKind::SaveLineData:
        dialog.setWindowTitle(
            QCoreApplication::translate("FileDialogs", "RGBラインデータ・ファイルの保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(lineDataFilters);
        dialog.setDefaultSuffix(QStringLiteral("spd"));
        dialog.selectFile(QStringLiteral("RGBLineData"));
        break;
    case FileDialogKind::SaveBitmap:
    case FileDialogKind::ExportColorTable: {
        const bool bitmap = kind == FileDialogKind::SaveBitmap;
        dialog.setWindowTitle(
            bitmap ? QCoreApplication::translate("FileDialogs", "ビットマップ・ファイルの保存")
                   : QCoreApplication::translate("FileDialogs", "エクスポート"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        // The suffix added to a bare name follows the chosen filter.
        dialog.setDefaultSuffix(text(formatInfo(formats.front()).extension));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &filters, &formats](const QString& filter) {
                             const auto i = std::max<qsizetype>(0, filters.indexOf(filter));
                             dialog.setDefaultSuffix(text(formatInfo(formats[i]).extension));
                         });
        dialog.selectFile(bitmap ? QStringLiteral("GradationBitMap") : QStringLiteral("Gradation"));
        break;
    }
    case FileDialogKind::Import: {
        QStringList patterns;
        for (ExchangeFormat f : formats) {
            patterns << QStringLiteral("*.") + text(formatInfo(f).extension);
        }
        filters.prepend(QCoreApplication::translate("FileDialogs", "グラデーション") + '(' +
                        patterns.join(' ') + ')');
        filters << QCoreApplication::translate("FileDialogs", "すべてのファイル(*.*)");
        dialog.setWindowTitle(QCoreApplication::translate("FileDialogs", "インポート"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        break;
    }
    }
    // Overwriting asks first (the default of a save dialog); read-only returns do not exist here.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    if (kind == FileDialogKind::SaveBitmap || kind == FileDialogKind::ExportColorTable) {
        const auto i = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
        return withOfferedExtension(owner, chosen, formats, static_cast<int>(i));
    }
    return chosen;
}

int execPopupMenu(QMenu* menu, const QPoint& screenPos) {
    const QAction* chosen = menu->exec(screenPos);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

} // namespace spectrane
