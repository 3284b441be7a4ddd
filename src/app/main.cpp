// Spectrane: start-up of the program.
#include "app/main_window.h"
#include "files/program_folders.h"
#include "qtsupport/fonts.h"

#include <QApplication>
#include <QIcon>

#include <csignal>

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with an error the save reports, instead of killing
    // the program with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spectrane"));
    QApplication::setApplicationVersion(QStringLiteral(SPECTRANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("spectrane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/spectrane/spectrane.png")));
    spectrane::registerFontSubstitutes();
    spectrane::MainWindow window({spectrane::executableFolder(), {}, {}, true});
    window.show();
    return QApplication::exec();
}
