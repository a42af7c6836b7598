#pragma once

#include <QStringList>

class QApplication;

// The main program from its entry to its end, once the application object exists and the window
// makers of the later folders are registered: the log, the bus name, the checks, the start-up,
// the event loop and the quit. Answers the program's exit status. The files (vCard files to send
// to Google) go to the copy of the program that already runs, when one does, and this one then
// ends at once.
namespace programentry {

int runTolvane(QApplication &app, const QStringList &files = {});
// The files named on a command line (every argument but the program's and the options), as
// absolute paths.
QStringList openedFiles(const QStringList &arguments);

// Removes the preferences that describe only a running program: those of a run that crashed or
// was killed would be read as the current state. Runs before the factory defaults are registered.
void forgetLastRun();

} // namespace programentry
