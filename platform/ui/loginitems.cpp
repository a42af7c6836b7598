#include "platform/ui/loginitems.h"

#include "platform/ui/desktopentryvalues.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace loginitems {

namespace {

const QString kGroup = QStringLiteral("[Desktop Entry]");

struct AutostartEntry
{
    QString filePath;
    QString program;
    bool hidden = false;
};

// The keys of the entry's main group that tell what it starts; other groups (actions) and
// localised keys do not count.
AutostartEntry readEntry(const QString &filePath)
{
    AutostartEntry entry{filePath, {}, false};
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return entry;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == kGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || equals < 1)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"Exec") {
            const QStringList command = desktopentryvalues::execCommand(value);
            entry.program = command.isEmpty() ? QString() : command.constFirst();
        } else if (key == u"Hidden") {
            entry.hidden = value == u"true";
        }
    }
    return entry;
}

QList<AutostartEntry> entriesForPath(const QString &path)
{
    QList<AutostartEntry> found;
    const QDir folder(autostartFolder());
    for (const QString &name : folder.entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
        AutostartEntry entry = readEntry(folder.filePath(name));
        if (!path.isEmpty() && entry.program == path)
            found << entry;
    }
    return found;
}

} // namespace

QString autostartFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString config =
        QDir::isAbsolutePath(xdg) ? xdg : QDir(qEnvironmentVariable("HOME")).filePath(".config");
    return QDir(config).filePath(QStringLiteral("autostart"));
}

bool loginItemExistsForPath(const QString &path)
{
    const QList<AutostartEntry> entries = entriesForPath(path);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [](const AutostartEntry &entry) { return !entry.hidden; });
}

bool addLoginItem(const QString &fileName, const QString &name, const QString &path, QString *error)
{
    const QString folder = autostartFolder();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make %1").arg(folder);
        return false;
    }
    QSaveFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QString text = QStringLiteral("%1\nType=Application\nName=%2\nExec=%3\n")
                             .arg(kGroup, desktopentryvalues::escapeString(name),
                                  desktopentryvalues::execValue({path}));
    file.write(text.toUtf8());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool removeLoginItemsForPath(const QString &path, QString *error)
{
    bool removed = true;
    for (const AutostartEntry &entry : entriesForPath(path)) {
        QFile file(entry.filePath);
        if (!file.remove()) {
            *error = file.errorString();
            removed = false;
        }
    }
    return removed;
}

} // namespace loginitems
