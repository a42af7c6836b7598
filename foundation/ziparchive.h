#pragma once

#include <QString>

// Zip archives of files and folders (PKZip, through QuaZip). An archive of a folder holds the
// folder itself as its top entry, under its own name.
namespace ziparchive {

// Writes a new archive of the file or folder. The archive appears only when it is complete; a
// failure leaves whatever stood at archivePath before. On failure, *reason says why.
bool writeArchive(const QString &sourcePath, const QString &archivePath, QString *reason);

// Extracts the archive into the destination folder (made when missing). Every entry is checked
// before anything is written: an archive with an entry that would land outside the destination
// (an absolute name, a ".." step, a symbolic link, a folder of the destination that links
// elsewhere) is refused whole.
bool extractArchive(const QString &archivePath, const QString &destination, QString *reason);

} // namespace ziparchive
