#pragma once

#include <QString>

// The preferences of the automatic push. The agent reads them through its own domain, behind
// which the main program's settings apply.
namespace pushkeys {

// 0 no push, 1 every change, 2 the changes of the monitored groups.
inline const QString autoABPushMode = QStringLiteral("autoABPushMode");
// Repair the Google memberships of the pushed groups.
inline const QString autoABStrict = QStringLiteral("autoABStrict");
// Whether the main program's user switched the automatic push on (1).
inline const QString autoPushABChanges = QStringLiteral("autoPushABChanges");
// Push mode 2 also pushes the contacts of no group.
inline const QString autoABUsesContactsWithoutGroups =
    QStringLiteral("autoABUsesContactsWithoutGroups");
// Set once identifiers are written to the pending files, cleared once they were pushed.
inline const QString pendingFilesExist = QStringLiteral("pendingFilesExist");
// Set when a push queued a new smart group.
inline const QString dynUpdateSmartGroups = QStringLiteral("dynUpdateSmartGroups");
inline const QString pendingArchiveFolderPath = QStringLiteral("pendingArchiveFolderPath");

// The names of the three pending files.
inline const QString kNewFile = QStringLiteral("New");
inline const QString kChangeFile = QStringLiteral("Change");
inline const QString kDeleteFile = QStringLiteral("Delete");

} // namespace pushkeys
