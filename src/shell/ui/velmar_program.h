#pragma once
#include <QString>

class QApplication;

namespace velmar {

// One run of the editor in `app`, as the Velmar program does it: start-up
// (with the first-run link on a new installation), then the main window until
// it closes. The files are looked up from `programFolder` (LocateFiles).
// Returns the program's exit status.
int RunVelmar(QApplication& app, const QString& programFolder);

} // namespace velmar
