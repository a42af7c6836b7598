#include "platform/scripting/desktopentry.h"

#include "platform/scripting/desktopentryvalues.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

const QString kGroup = QStringLiteral("[Desktop Entry]");

} // namespace

DesktopEntry DesktopEntry::read(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    DesktopEntry entry;
    entry.filePath = filePath;
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
        if (key == u"Exec")
            entry.exec = desktopentryvalues::execCommand(value);
        else if (key == u"Hidden")
            entry.hidden = value == u"true";
        else if (key == u"Name")
            entry.name = desktopentryvalues::unescapeString(value);
        else if (key == u"Icon")
            entry.icon = desktopentryvalues::unescapeString(value);
        else if (key == u"X-GetInfoString")
            entry.infoString = desktopentryvalues::unescapeString(value);
        else if (key == u"X-ShortVersionString")
            entry.shortVersion = desktopentryvalues::unescapeString(value);
    }
    return entry;
}

DesktopEntry DesktopEntry::forBundleIdentifier(const QString &bundleIdentifier)
{
    if (bundleIdentifier.isEmpty() || bundleIdentifier.contains(u'/'))
        return {};
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                bundleIdentifier + QStringLiteral(".desktop"));
    return path.isEmpty() ? DesktopEntry() : read(path);
}

DesktopEntry DesktopEntry::forName(const QString &name)
{
    for (const QString &folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
            DesktopEntry entry = read(dir.filePath(file));
            if (entry.name == name)
                return entry;
        }
    }
    return {};
}
