#pragma once

#include <QString>
#include <QStringList>

// An installed program as the desktop knows it: the desktop entry "<bundle identifier>.desktop" in
// the applications folder of $XDG_DATA_HOME or of one of $XDG_DATA_DIRS (the first found wins).
struct DesktopEntry
{
    QString filePath;
    QString name;
    QStringList exec; // the command, field codes (%f, %U ...) removed
    QString icon;
    QString infoString;   // "X-GetInfoString"
    QString shortVersion; // "X-ShortVersionString"
    bool hidden = false;  // "Hidden=true": the entry counts as removed

    bool isValid() const { return !filePath.isEmpty(); }

    static DesktopEntry forBundleIdentifier(const QString &bundleIdentifier);
    // The first installed entry whose Name is the given name.
    static DesktopEntry forName(const QString &name);
    // The keys of the main group, with their string escapes and the Exec quoting undone; other
    // groups (actions) and localised keys do not count.
    static DesktopEntry read(const QString &filePath);
};
