#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// Whole-file work: copying, zipping and unzipping, emptying a folder. The Google engine zips and
// unzips its backup archives with it and clears its temporary folder; the automatic push zips the
// pending change files.
namespace ZeltorFileTool {

// A file is copied to the destination path, or into it when it is a folder; a folder's contents
// are copied into the destination folder, which is made when missing.
bool copySource(const QString &source, const QString &destination);

// The archive holds the file or folder itself as its top entry.
bool zipSource(const QString &source, const QString &archive);

// The archive's top entry is a folder "Archive" holding a copy of each file. Every file must be
// copied, and no two may have the same name: otherwise nothing is written, the files that could
// not be taken are logged, and the answer is false.
bool zipFiles(const QStringList &files, const QString &archive);

// Refuses an archive any of whose entries would land outside the destination; *reason (when
// given) then says why, for the user.
bool unzipSource(const QString &archive, const QString &destination, QString *reason = nullptr);

// Removes every file below the folder, and the subfolders too when includingFolders is set; what
// lies in an entry of the folder whose name begins with "." stays. Removals that fail are shown
// together in one sheet on the window in front; the answer lists their paths relative to the
// folder.
QStringList emptyDirectory(const QString &folder, bool includingFolders);

// There are no metadata items here: the answer is always empty, with the log line of the reason.
QVariantMap metadataForFilePath(const QString &path);

} // namespace ZeltorFileTool
