#pragma once

#include <QString>
#include <QStringList>

// The whole run of tolvane-service: the text from its argument, standard input, the primary
// selection or the clipboard, written with the source program's document data into a hand-over
// file in the tmp folder, the agent started when it is not running, and the file handed to it.
// Answers the exit status; errors go to standard error.
namespace tolvaneservice {

int run(const QStringList &arguments);

// The data folder's "Tolvane" folder.
QString libraryFolder();

// Writes the hand-over file under a new name in the folder, never following an existing file or
// link; the path, or empty when it failed (nothing is left then).
QString writeHandOverFile(const QString &folder, const QString &content);

// Starts the agent from its desktop entry unless it runs, and waits up to 10 s for its bus name.
bool launchTolvaneAgent();

} // namespace tolvaneservice
