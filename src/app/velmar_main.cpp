// Velmar, the radio programming editor: start-up, then the main window;
// "Velmar FILE.dat" opens that data file.
#include "shell/ui/velmar_program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return velmar::RunVelmar(app, QCoreApplication::applicationDirPath(),
                             velmar::DocumentArgument(QCoreApplication::arguments()));
}
