#pragma once

#include <QString>
#include <QStringList>

// The three files in which the automatic push keeps the identifiers of changes it could not send
// yet: UTF-8 text, one carriage return between identifiers and none after the last. Each
// file is replaced whole through a temporary file, so a crash leaves the old or the new text,
// never a part.
namespace pendingfiles {

// The file's identifiers; empty when it is missing or unreadable.
QStringList read(const QString &folder, const QString &name);

// Appends the identifiers to the file (made when missing). False when the file could not be
// written; the old text then stays.
bool append(const QString &folder, const QString &name, const QStringList &identifiers);

// A copy of the file zipped into the archive folder, under the prefix, the time to the second and
// a number that no archive of that prefix and time uses yet, so no archive is ever replaced.
// Answers the archive's path, empty when none could be made.
QString archive(const QString &folder, const QString &name, const QString &archiveFolder,
                const QString &prefix);

// The file once the identifiers read from it have been pushed: removed, or, when more were
// appended meanwhile, left holding only those. False when the file could not be changed.
bool removeCarried(const QString &folder, const QString &name, const QStringList &carried);

} // namespace pendingfiles
