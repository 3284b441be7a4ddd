// Spectrane: start-up of the program.
#include "app/fonts.h"
#include "app/main_window.h"
#include "files/settings_file.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spectrane"));
    spectrane::registerFontSubstitutes();
    spectrane::MainWindow window({spectrane::executableFolder(), {}, {}, true});
    window.show();
    return QApplication::exec();
}
