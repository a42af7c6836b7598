#pragma once

#include <QString>

// What the backups and restores of either side show.
namespace archivetexts {

inline const QString backupPrompt = QStringLiteral("Back Up Address Book");
inline const QString restorePrompt = QStringLiteral("Restore Address Book");
inline const QString backupFilter = QStringLiteral("Address Book Backups (*.sqlite)");
// The dated name a backup suggests; %1 is the day, yyyy-MM-dd.
inline const QString backupName = QStringLiteral("Address Book Backup %1.sqlite");
inline const QString backupFolder = QStringLiteral("Address Book Backups");

inline const QString backupFailed = QStringLiteral("The address book could not be backed up.");
inline const QString unsavedChangesFailed =
    QStringLiteral("The address book's unsaved changes could not be saved, so no backup was made.");
inline const QString backupNotWritten =
    QStringLiteral("%1 could not be written. A backup that was there before is unchanged.");
inline const QString restoreConfirm = QStringLiteral("Restore the address book from this backup?");
inline const QString restoreConfirmDetail =
    QStringLiteral("Every record in the address book will be replaced by those of \"%1\".");
inline const QString restoreButton = QStringLiteral("Restore");
inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString restoreFailed = QStringLiteral("The address book could not be restored.");
inline const QString restoreUnchanged = QStringLiteral("%1\n\nThe address book is unchanged.");

// After a restore, as the agent says it when it sees one.
inline const QString restoredAlert = QStringLiteral("AddressBook has been restored from a backup");
inline const QString restoredAlertSmall = QStringLiteral(
    "Use the Data Loader to bulk load Google Contacts and then re-enable \"Auto-Update\"!");
inline const QString okButton = QStringLiteral("OK");

} // namespace archivetexts
