#include "app/startup/folderlayout.h"

#include "app/bundleinfo.h"
#include "foundation/log.h"

#include <QDir>
#include <QFileInfo>

FolderLayout FolderLayout::current()
{
    FolderLayout layout;
    const QString data = dataHome();
    if (data.isEmpty())
        return layout;
    const QDir library(QDir(data).filePath(bundleinfo::kFolderWord));
    layout.libraryFolderPath = library.path();
    layout.logFilePath = tlog::logFilePath(bundleinfo::kBundleIdentifier);
    layout.crashLogFilePath = QDir(QFileInfo(layout.logFilePath).path())
                                  .filePath(QStringLiteral("CrashReporter/Tolvane.crash.log"));
    layout.dataFolderPath = library.filePath(QStringLiteral("data"));
    layout.scriptsFolderPath = library.filePath(QStringLiteral("scripts"));
    layout.tmpFolderPath = library.filePath(QStringLiteral("tmp"));
    layout.googleBackupFolderPath = library.filePath(QStringLiteral("backups"));
    layout.pendingFolderPath = library.filePath(QStringLiteral("pending"));
    layout.pendingArchiveFolderPath = library.filePath(QStringLiteral("pending/archives"));
    layout.restartFolderPath = library.filePath(QStringLiteral("restart"));
    return layout;
}

QString FolderLayout::dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir(home).filePath(QStringLiteral(".local/share"));
    return QString();
}
