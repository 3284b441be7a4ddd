#include "qtsupport/shown_text.h"

#include <QCoreApplication>

#include <string>

namespace spectrane {

QString shownText(std::string_view text) {
    const std::string source(text); // translate() wants it terminated
    return QCoreApplication::translate("Messages", source.c_str());
}

} // namespace spectrane
