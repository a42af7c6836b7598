#include "browser/dragdrop/dragfiles.h"

#include "browser/dragdrop/dragtexts.h"
#include "foundation/log.h"
#include "foundation/zeltorfiletool.h"

#include <QDir>
#include <QSaveFile>
#include <QSet>

namespace dragfiles {

namespace {

constexpr qsizetype kMaxBaseName = 120;
const QString kExtension = QStringLiteral(".vcf");
const QString kFallbackName = QStringLiteral("Contact");

bool unsafe(QChar c)
{
    return c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control ||
           c.category() == QChar::Other_Format;
}

} // namespace

QString safeBaseName(const QString &name)
{
    QString safe;
    safe.reserve(name.size());
    for (QChar c : name)
        safe.append(unsafe(c) ? u'_' : c);
    safe = safe.trimmed();
    // "." and ".." name folders, and a leading dot hides the file.
    while (safe.startsWith(u'.'))
        safe.remove(0, 1);
    if (safe.size() > kMaxBaseName)
        safe.truncate(kMaxBaseName);
    safe = safe.trimmed();
    return safe.isEmpty() ? kFallbackName : safe;
}

QStringList uniqueFileNames(const QStringList &baseNames)
{
    QStringList names;
    QSet<QString> taken;
    for (const QString &baseName : baseNames) {
        const QString base = safeBaseName(baseName);
        QString name = base + kExtension;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = QStringLiteral("%1 %2%3").arg(base).arg(n).arg(kExtension);
        taken.insert(name.toCaseFolded());
        names.append(name);
    }
    return names;
}

QString dragFolder(const QString &tmpFolder)
{
    return QDir(tmpFolder).filePath(dragtexts::dragFolder);
}

bool emptyDragFolder(const QString &tmpFolder)
{
    if (tmpFolder.isEmpty() || !QDir(dragFolder(tmpFolder)).exists())
        return true;
    return ZeltorFileTool::emptyDirectory(dragFolder(tmpFolder), true).isEmpty();
}

QList<QUrl> writeDragFiles(const QString &tmpFolder, const QList<File> &files)
{
    QList<QUrl> urls;
    if (tmpFolder.isEmpty())
        return urls;
    emptyDragFolder(tmpFolder);
    const QDir folder(dragFolder(tmpFolder));
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return urls;
    QStringList baseNames;
    for (const File &file : files)
        baseNames.append(file.baseName);
    const QStringList names = uniqueFileNames(baseNames);
    for (qsizetype i = 0; i < files.size(); ++i) {
        QSaveFile out(folder.filePath(names[i]));
        if (!out.open(QIODevice::WriteOnly) || out.write(files[i].data) != files[i].data.size() ||
            !out.commit()) {
            tlog::message(QStringLiteral("dragfiles"), QStringLiteral("writeDragFiles"),
                          QStringLiteral("could not write %1").arg(out.fileName()));
            continue;
        }
        urls.append(QUrl::fromLocalFile(out.fileName()));
    }
    return urls;
}

} // namespace dragfiles
