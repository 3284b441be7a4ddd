#include "qtsupport/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
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

// Qt's own texts that its Japanese catalogue lacks (the file dialog's type of a folder).
class QtTextsJapanese : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        struct Text {
            const char* context;
            const char* source;
            const char* japanese;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "フォルダ"},  // untranslated: Qt's own
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},   // untranslated: Qt's own
            {"QAbstractFileIconProvider", "Alias", "エイリアス"}, // untranslated: Qt's own
        };
        for (const Text& t : kTexts) {
            if (qstrcmp(context, t.context) == 0 && qstrcmp(source, t.source) == 0) {
                return QString::fromUtf8(t.japanese);
            }
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

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
    // Qt's dialogs name file types and write numbers in the default locale's language.
    const QLocale system = QLocale::system();
    QLocale::setDefault(language == Language::Japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                        : system.language() == QLocale::English ? system
                                                                : QLocale(QLocale::English));
    static QtTextsJapanese qtTexts;
    if (language == Language::Japanese) {
        QCoreApplication::installTranslator(&qtTexts);
    } else {
        QCoreApplication::removeTranslator(&qtTexts);
    }
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
