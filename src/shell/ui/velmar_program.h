#pragma once
#include <QString>
#include <QStringList>

class QApplication;

namespace velmar {

// One run of the editor in `app`, as the Velmar program does it: start-up
// (with the first-run link on a new installation), then the main window until
// it closes. The files are looked up from `programFolder` (LocateFiles).
// `documentFile`, when given, is opened as File > Open opens it once the
// window is up. Returns the program's exit status.
int RunVelmar(QApplication& app, const QString& programFolder, const QString& documentFile = {});

// The data file named on the command line ("Velmar radio.dat"): the first
// argument after the program's name that is no option; empty when none is.
QString DocumentArgument(const QStringList& arguments);

} // namespace velmar
