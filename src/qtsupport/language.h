// The interface's language: English or Japanese (the texts in the sources), chosen from the
// command line or the user's locale, and the translations that make Qt and the program speak it.
#pragma once

#include <QString>
#include <QStringList>

namespace spectrane {

enum class Language { Japanese, English };

struct LanguageChoice {
    Language language = Language::Japanese;
    QString error; // a bad --lang value, for standard error; empty when the choice is sound
};

// "--lang en|ja" (or "--lang=en|ja") among `arguments` decides; without it, English when the
// first of the locale's preferred languages (QLocale::system().uiLanguages()) is English, and
// Japanese otherwise, the C and POSIX locales included.
LanguageChoice chooseLanguage(const QStringList& arguments, const QStringList& uiLanguages);

// Installs the program's English texts, or Qt's own Japanese ones (file dialogs, message-box
// buttons) from Qt's translations folder, replacing what an earlier call installed. False when
// a file could not be loaded: the texts concerned stay as they are.
bool installTranslations(Language language);

} // namespace spectrane
