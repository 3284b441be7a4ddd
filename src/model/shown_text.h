// Texts of the pure layers that the program shows (messages, menu items, preview labels) are
// marked for Qt's translation tools with QT_TRANSLATE_NOOP in context "Messages": lupdate finds
// the macro by its name, and the Qt side translates the text where it shows it
// (qtsupport/shown_text.h). The definition is Qt's own, so either header may come first.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
