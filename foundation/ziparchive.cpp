#include "foundation/ziparchive.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace ziparchive {
namespace {

constexpr qint64 kChunk = 64 * 1024;

bool copyData(QIODevice &from, QIODevice &to)
{
    QByteArray buffer;
    while (!from.atEnd()) {
        buffer = from.read(kChunk);
        if (buffer.isEmpty() && !from.atEnd())
            return false;
        if (to.write(buffer) != buffer.size())
            return false;
    }
    return true;
}

bool addFolderEntry(QuaZip &zip, const QString &name, const QString &path)
{
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name + u'/', path)))
        return false;
    entry.close();
    return entry.getZipError() == UNZ_OK;
}

bool addFileEntry(QuaZip &zip, const QString &name, const QString &path)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name, path)))
        return false;
    const bool copied = copyData(source, entry);
    entry.close();
    return copied && entry.getZipError() == UNZ_OK;
}

// The top entry is the source itself; below it every file and folder, hidden ones included.
// Symbolic links are left out: extracting refuses them.
bool addTree(QuaZip &zip, const QFileInfo &source, QString *reason)
{
    const QString top = source.fileName();
    if (source.isFile()) {
        if (addFileEntry(zip, top, source.filePath()))
            return true;
        *reason = QStringLiteral("cannot add ") + source.filePath();
        return false;
    }
    if (!addFolderEntry(zip, top, source.filePath())) {
        *reason = QStringLiteral("cannot add ") + source.filePath();
        return false;
    }
    const QDir root(source.filePath());
    QDirIterator it(source.filePath(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink())
            continue;
        const QString name = top + u'/' + root.relativeFilePath(info.filePath());
        const bool added = info.isDir() ? addFolderEntry(zip, name, info.filePath())
                                        : addFileEntry(zip, name, info.filePath());
        if (!added) {
            *reason = QStringLiteral("cannot add ") + info.filePath();
            return false;
        }
    }
    return true;
}

// Why an entry may not be extracted, or an empty text when it may.
QString refusal(const QuaZipFileInfo64 &info)
{
    const QString &name = info.name;
    if (info.isSymbolicLink())
        return QStringLiteral("symbolic link ") + name;
    if (name.isEmpty() || name.startsWith(u'/') || name.startsWith(u'\\') ||
        (name.size() > 1 && name.at(1) == u':'))
        return QStringLiteral("absolute name ") + name;
    const QStringList steps = QString(name).replace(u'\\', u'/').split(u'/');
    if (steps.contains(QStringLiteral("..")))
        return QStringLiteral("name leaving the destination ") + name;
    return {};
}

bool isInside(const QString &path, const QString &root)
{
    return path == root || path.startsWith(root + u'/');
}

bool extractEntry(QuaZip &zip, const QuaZipFileInfo64 &info, const QDir &destination,
                  const QString &canonicalRoot)
{
    const bool folder = info.name.endsWith(u'/');
    const QString target = QDir::cleanPath(destination.filePath(info.name));
    const QString parent = folder ? target : QFileInfo(target).path();
    if (!QDir().mkpath(parent) || !isInside(QFileInfo(parent).canonicalFilePath(), canonicalRoot))
        return false;
    if (folder)
        return true;
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || !copyData(entry, out))
        return false;
    entry.close();
    if (entry.getZipError() != UNZ_OK || !out.commit())
        return false;
    const QFile::Permissions kept = info.getPermissions() & ~(QFile::ExeOther | QFile::WriteOther);
    if (kept)
        QFile::setPermissions(target, kept | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

} // namespace

bool writeArchive(const QString &sourcePath, const QString &archivePath, QString *reason)
{
    const QFileInfo source(sourcePath);
    if (!source.exists() || source.isSymLink()) {
        *reason = QStringLiteral("no such file or folder ") + sourcePath;
        return false;
    }
    QTemporaryFile partial(archivePath + QStringLiteral(".XXXXXX"));
    if (!partial.open()) {
        *reason = QStringLiteral("cannot write beside ") + archivePath;
        return false;
    }
    partial.close();
    QuaZip zip(partial.fileName());
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate)) {
        *reason = QStringLiteral("cannot create ") + archivePath;
        return false;
    }
    const bool added = addTree(zip, source, reason);
    zip.close();
    if (!added)
        return false;
    if (zip.getZipError() != UNZ_OK) {
        *reason = QStringLiteral("cannot finish ") + archivePath;
        return false;
    }
    QFile::remove(archivePath);
    if (!partial.rename(archivePath)) {
        *reason = QStringLiteral("cannot move the archive to ") + archivePath;
        return false;
    }
    partial.setAutoRemove(false);
    return true;
}

bool extractArchive(const QString &archivePath, const QString &destination, QString *reason)
{
    QuaZip zip(archivePath);
    if (!zip.open(QuaZip::mdUnzip)) {
        *reason = QStringLiteral("not an archive ") + archivePath;
        return false;
    }
    const QList<QuaZipFileInfo64> entries = zip.getFileInfoList64();
    if (zip.getZipError() != UNZ_OK) {
        *reason = QStringLiteral("unreadable archive ") + archivePath;
        return false;
    }
    for (const QuaZipFileInfo64 &info : entries) {
        *reason = refusal(info);
        if (!reason->isEmpty())
            return false;
    }
    const QDir root(destination);
    if (!root.mkpath(QStringLiteral("."))) {
        *reason = QStringLiteral("cannot make ") + destination;
        return false;
    }
    const QString canonicalRoot = QFileInfo(destination).canonicalFilePath();
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info) || !extractEntry(zip, info, root, canonicalRoot)) {
            *reason = QStringLiteral("cannot extract ") + info.name;
            return false;
        }
    }
    return true;
}

} // namespace ziparchive
