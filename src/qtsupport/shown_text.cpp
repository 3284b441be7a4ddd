#include "qtsupport/shown_text.h"

#include <QCoreApplication>

#include <string>

namespace spectrane {

QString shownText(std::string_view text) {
    const std::string source(text); // translate() wants it terminated
    return QCoreApplication::translate("Messages", source.c_str());
}

QString failureText(const FileResult& result) {
    QString text = shownText(result.message);
    if (!result.file.empty() || !result.reason.empty()) {
        text += QLatin1Char('\n') + QCoreApplication::translate("Messages", "ファイル「%1」：%2")
                                        .arg(QString::fromStdString(result.file),
                                             QString::fromStdString(result.reason));
    } else if (!result.detail.empty()) {
        text += QLatin1Char('\n') + QString::fromStdString(result.detail);
    }
    return text;
}

} // namespace spectrane
