#pragma once

#include <QString>

// The address book, the preferences and the logs hold every person the user knows, so what the
// programs create for them is readable by the user alone: folders 0700, files 0600. Files and
// folders that already exist keep the mode they have.
namespace privatepaths {

// Makes the folder and every missing folder above it, each 0700; true when the folder exists.
bool makePath(const QString &folder);

// Creates the file empty with mode 0600 when it does not exist yet (and its folder as makePath
// does), so that a writer that keeps a file's mode (QSaveFile, SQLite) keeps it private; true
// when the file exists afterwards.
bool createFile(const QString &path);

} // namespace privatepaths
