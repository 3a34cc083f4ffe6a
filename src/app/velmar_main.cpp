// Velmar, the radio programming editor: start-up, then the main window.
#include "shell/ui/velmar_program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return velmar::RunVelmar(app, QCoreApplication::applicationDirPath());
}
