// Spectrane: start-up of the program.
#include "app/backup_offer.h"
#include "app/main_window.h"
#include "files/in_place_backup.h"
#include "files/program_folders.h"
#include "files/termination_signals.h"
#include "qtsupport/fonts.h"
#include "qtsupport/language.h"
#include "qtsupport/start_environment.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv) {
    // SIGINT, SIGTERM and SIGHUP (a logout) remove the temporary file of a save under way; a
    // file-size limit makes a write fail with an error the save reports, instead of killing the
    // program with the document unsaved.
    spectrane::removeTemporaryFilesOnTermination();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const std::string platform =
        spectrane::platformForSession(spectrane::processEnvironment, arguments);
    if (!platform.empty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    }
    const spectrane::LanguageChoice language = spectrane::chooseLanguageAtStart(arguments);
    if (!language.error.isEmpty()) {
        std::fprintf(stderr, "spectrane: %s\n", qPrintable(language.error));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spectrane"));
    QApplication::setApplicationVersion(QStringLiteral(SPECTRANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("spectrane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/spectrane/spectrane.png")));
    spectrane::installTranslations(language.language);
    spectrane::registerFontSubstitutes();
    spectrane::MainWindow window({spectrane::executableFolder(), {}, {}, true});
    window.show();
    spectrane::offerInPlaceBackups(&window, spectrane::inPlaceBackupFolder(),
                                   spectrane::showMessageBox);
    return QApplication::exec();
}
