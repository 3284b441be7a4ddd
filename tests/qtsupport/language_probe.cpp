// Starts as the program does (language and locale settled before the application is built) and
// prints what Qt's own dialogs would show: a date, a folder's type, the Cancel button.
#include "qtsupport/language.h"
#include "qtsupport/start_environment.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const spectrane::LanguageChoice language = spectrane::chooseLanguageAtStart(arguments);
    QApplication app(argc, argv);
    spectrane::installTranslations(language.language);
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 5));
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    std::printf("%s\n%s\n%s\n", qPrintable(QLocale::system().toString(when, QLocale::ShortFormat)),
                qPrintable(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath()))),
                qPrintable(box.button(QDialogButtonBox::Cancel)->text().remove('&')));
    return 0;
}
