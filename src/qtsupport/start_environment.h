// What the program settles from its environment before Qt starts: the platform plug-in for a
// Wayland session, and the interface's language with the system locale Qt's own dialogs use.
#pragma once

#include "qtsupport/language.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <string>

namespace spectrane {

// An environment variable's value, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
// The process's own environment.
std::optional<std::string> processEnvironment(const char* name);

// "xcb" when the session is Wayland, an X display (XWayland) is offered and the user chose no
// platform (QT_QPA_PLATFORM unset or empty, as Qt takes it, and no -platform option among
// `arguments`): a Wayland client may not place its windows, and this program places its windows
// beside each other. Empty otherwise.
std::string platformForSession(const EnvironmentLookup& env, const QStringList& arguments);

// The desktop's preferred languages as Qt reads them (LANGUAGE's list, else the locale of
// LC_ALL, LC_MESSAGES or LANG; "C" when none is set), read without asking Qt: its first answer
// fixes the system locale for the run.
QStringList environmentLanguages(const EnvironmentLookup& env);

// The language chosen from `arguments` and the environment (see chooseLanguage). For Japanese,
// the system locale Qt's file dialogs take their dates and sizes from is made Japanese too,
// whatever the desktop's locale; the environment itself is left as it was. Call it before the
// QApplication is built and before anything asks Qt for the system locale.
LanguageChoice chooseLanguageAtStart(const QStringList& arguments);

} // namespace spectrane
