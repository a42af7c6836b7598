#include "platform/ui/loginitems.h"

#include "platform/scripting/desktopentry.h"
#include "platform/scripting/desktopentryvalues.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace loginitems {

namespace {

const QString kGroup = QStringLiteral("[Desktop Entry]");

QList<DesktopEntry> entriesForPath(const QString &path)
{
    QList<DesktopEntry> found;
    const QDir folder(autostartFolder());
    for (const QString &name : folder.entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
        DesktopEntry entry = DesktopEntry::read(folder.filePath(name));
        if (!path.isEmpty() && entry.exec.value(0) == path)
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
    const QList<DesktopEntry> entries = entriesForPath(path);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [](const DesktopEntry &entry) { return !entry.hidden; });
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
    for (const DesktopEntry &entry : entriesForPath(path)) {
        QFile file(entry.filePath);
        if (!file.remove()) {
            *error = file.errorString();
            removed = false;
        }
    }
    return removed;
}

} // namespace loginitems
