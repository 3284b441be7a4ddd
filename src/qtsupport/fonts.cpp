#include "qtsupport/fonts.h"

#include "raster/text_renderer.h"

#include <QString>
#include <QStringList>

#include <mutex>

namespace spectrane {

namespace {

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

void registerFontSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitutions(fromUtf8(kGothicFace),
                                   {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                    QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(fromUtf8(kCourierFace), {QStringLiteral("Liberation Mono"),
                                                            QStringLiteral("DejaVu Sans Mono")});
        QFont::insertSubstitutions(fromUtf8(kCalistoFace), {QStringLiteral("Liberation Serif"),
                                                            QStringLiteral("DejaVu Serif")});
    });
}

QFont programFont(std::string_view face, int pixelHeight) {
    registerFontSubstitutes();
    QFont font(fromUtf8(face));
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace spectrane
