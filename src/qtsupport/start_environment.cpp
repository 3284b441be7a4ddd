#include "qtsupport/start_environment.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cstdlib>

namespace spectrane {

namespace {

bool isSet(const EnvironmentLookup& env, const char* name) {
    const std::optional<std::string> value = env(name);
    return value.has_value() && !value->empty();
}

// "en_US.UTF-8@euro" -> "en_US".
QString localeName(const std::string& value) {
    QString name = QString::fromStdString(value);
    return name.left(name.indexOf(QRegularExpression(QStringLiteral("[.@]"))));
}

} // namespace

std::optional<std::string> processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

std::string platformForSession(const EnvironmentLookup& env, const QStringList& arguments) {
    if (isSet(env, "QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform")) ||
        arguments.contains(QStringLiteral("--platform"))) {
        return {};
    }
    const bool wayland = env("XDG_SESSION_TYPE") == "wayland" || isSet(env, "WAYLAND_DISPLAY");
    return wayland && isSet(env, "DISPLAY") ? "xcb" : "";
}

QStringList environmentLanguages(const EnvironmentLookup& env) {
    if (isSet(env, "LANGUAGE")) {
        QStringList languages;
        for (const QString& l : QString::fromStdString(*env("LANGUAGE")).split(u':')) {
            languages << localeName(l.toStdString());
        }
        return languages;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (isSet(env, name)) {
            return {localeName(*env(name))};
        }
    }
    return {QStringLiteral("C")};
}

LanguageChoice chooseLanguageAtStart(const QStringList& arguments) {
    LanguageChoice choice = chooseLanguage(arguments, environmentLanguages(processEnvironment));
    if (choice.language != Language::Japanese) {
        return choice;
    }
    // Qt reads the locale categories once, when first asked, and keeps them for the run; the
    // C library reads them again when the application starts. So they are Japanese only while
    // Qt reads them: the C library keeps the desktop's (a locale it may not have installed
    // would throw it back to plain ASCII).
    constexpr std::array<const char*, 3> kCategories = {"LC_ALL", "LC_TIME", "LC_NUMERIC"};
    std::array<std::optional<QByteArray>, 3> saved;
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        if (qEnvironmentVariableIsSet(kCategories[i])) {
            saved[i] = qgetenv(kCategories[i]);
        }
    }
    qunsetenv("LC_ALL");
    qputenv("LC_TIME", "ja_JP.UTF-8");
    qputenv("LC_NUMERIC", "ja_JP.UTF-8");
    (void)QLocale::system().name();
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        if (saved[i]) {
            qputenv(kCategories[i], *saved[i]);
        } else {
            qunsetenv(kCategories[i]);
        }
    }
    return choice;
}

} // namespace spectrane
