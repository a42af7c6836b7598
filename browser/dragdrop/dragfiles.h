// The vCard files a drag of browser rows offers: written when the drag starts into one folder of
// the program's tmp folder, which the next drag and the program's end empty again, so no copies
// of contacts' data pile up.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace dragfiles {

// A file name made of a contact's name: no folder separators, control characters or leading
// dots, at most 120 characters, "Contact" when nothing is left.
QString safeBaseName(const QString &name);
// The names with the extension "vcf", each unique within the list regardless of case: a second
// "Ann" becomes "Ann 2".
QStringList uniqueFileNames(const QStringList &baseNames);

// The drag folder inside the tmp folder.
QString dragFolder(const QString &tmpFolder);
// Empties the drag folder; false when a file could not be removed.
bool emptyDragFolder(const QString &tmpFolder);

struct File
{
    QString baseName;
    QByteArray data;
};
// Empties the drag folder and writes the files into it, each atomically under a safe and unique
// name; the local file URLs of those written. No tmp folder writes nothing.
QList<QUrl> writeDragFiles(const QString &tmpFolder, const QList<File> &files);

} // namespace dragfiles
