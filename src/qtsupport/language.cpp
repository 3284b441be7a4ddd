#include "qtsupport/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <optional>

namespace spectrane {

namespace {

constexpr const char* kEnglishTexts = ":/i18n/spectrane_en.qm"; // built from the .ts file

std::optional<Language> languageNamed(const QString& name) {
    if (name == QLatin1String("en")) {
        return Language::English;
    }
    if (name == QLatin1String("ja")) {
        return Language::Japanese;
    }
    return std::nullopt;
}

} // namespace

LanguageChoice chooseLanguage(const QStringList& arguments, const QStringList& uiLanguages) {
    const QString option = QStringLiteral("--lang");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == option) {
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        } else if (arguments[i].startsWith(option + '=')) {
            value = arguments[i].mid(option.size() + 1);
        } else {
            continue;
        }
        if (const auto named = languageNamed(value)) {
            return {*named, {}};
        }
        return {Language::Japanese, QStringLiteral("--lang takes en or ja, not '%1'").arg(value)};
    }
    const QString first = uiLanguages.isEmpty() ? QString() : uiLanguages.first();
    const bool english = first == QLatin1String("en") || first.startsWith(QLatin1String("en-")) ||
                         first.startsWith(QLatin1String("en_"));
    return {english ? Language::English : Language::Japanese, {}};
}

bool installTranslations(Language language) {
    static std::unique_ptr<QTranslator> installed;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed.get());
    }
    installed = std::make_unique<QTranslator>();
    const bool loaded = language == Language::English
                            ? installed->load(QString::fromLatin1(kEnglishTexts))
                            : installed->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                                              QStringLiteral("_"),
                                              QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) {
        installed.reset();
        return false;
    }
    QCoreApplication::installTranslator(installed.get());
    return true;
}

} // namespace spectrane
