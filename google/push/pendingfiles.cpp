#include "google/push/pendingfiles.h"

#include "foundation/zeltorfiletool.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace pendingfiles {
namespace {

constexpr QChar kSeparator = u'\r';
// Numbers after the time; past these the number simply grows.
constexpr int kArchiveNumbers = 100;

QString pathOf(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

bool readText(const QString &path, QString *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *text = QString::fromUtf8(file.readAll());
    return true;
}

bool writeText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text.toUtf8()) < 0)
        return false;
    return file.commit();
}

// "yyyy-MM-dd HH-mm-ss Z": hyphens in the time, as in a file name, and the offset as +hhmm.
QString timeStamp(const QDateTime &now)
{
    const int offset = now.offsetFromUtc() / 60;
    const QChar sign = offset < 0 ? u'-' : u'+';
    return now.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss ")) + sign +
           QStringLiteral("%1%2")
               .arg(std::abs(offset) / 60, 2, 10, QChar(u'0'))
               .arg(std::abs(offset) % 60, 2, 10, QChar(u'0'));
}

} // namespace

QStringList read(const QString &folder, const QString &name)
{
    QString text;
    if (folder.isEmpty() || !readText(pathOf(folder, name), &text))
        return {};
    return text.split(kSeparator);
}

bool append(const QString &folder, const QString &name, const QStringList &identifiers)
{
    if (folder.isEmpty())
        return false;
    const QString path = pathOf(folder, name);
    QString text;
    if (readText(path, &text))
        text += kSeparator;
    text += identifiers.join(kSeparator);
    return writeText(path, text);
}

QString archive(const QString &folder, const QString &name, const QString &archiveFolder,
                const QString &prefix)
{
    if (archiveFolder.isEmpty())
        return QString();
    const QString stamp = timeStamp(QDateTime::currentDateTime());
    const int first = int(std::rand() % kArchiveNumbers);
    for (int step = 0;; ++step) {
        const int number = step < kArchiveNumbers ? (first + step) % kArchiveNumbers : step;
        const QString target =
            QDir(archiveFolder).filePath(QStringLiteral("%1_%2_%3").arg(prefix, stamp).arg(number));
        // Taken by creating it: a name another flush took at the same second is never reused.
        QFile claim(target);
        if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(target))
                continue;
            return QString();
        }
        claim.close();
        const QString inProgress = target + QStringLiteral(".part");
        if (!ZeltorFileTool::zipSource(pathOf(folder, name), inProgress) ||
            std::rename(QFile::encodeName(inProgress).constData(),
                        QFile::encodeName(target).constData()) != 0) {
            QFile::remove(inProgress);
            QFile::remove(target);
            return QString();
        }
        return target;
    }
}

bool removeCarried(const QString &folder, const QString &name, const QStringList &carried)
{
    const QString path = pathOf(folder, name);
    QString text;
    if (!readText(path, &text))
        return true;
    const QString carriedText = carried.join(kSeparator);
    if (text == carriedText)
        return QFile::remove(path);
    if (text.startsWith(carriedText + kSeparator))
        return writeText(path, text.mid(carriedText.size() + 1));
    // Rewritten by someone else since it was read: what it holds now is still to be pushed.
    return true;
}

} // namespace pendingfiles
