#pragma once

#include <QString>

// Programs started when the user logs in: the desktop's autostart entries in the user's folder.
namespace loginitems {

// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when the variable is unset or not an
// absolute path.
QString autostartFolder();

// Whether an entry of the folder that is not hidden ("Hidden" not true) starts that program.
bool loginItemExistsForPath(const QString &path);

// Writes the entry <fileName> (for example "com.example.agent.desktop") that starts the program
// at login, replacing the whole file at once so a reader never sees half of it. False, with the
// reason, when it cannot be written.
bool addLoginItem(const QString &fileName, const QString &name, const QString &path,
                  QString *error);

// Removes every entry of the folder that starts that program, hidden ones too. False, with the
// reason, when one of them stays.
bool removeLoginItemsForPath(const QString &path, QString *error);

} // namespace loginitems
