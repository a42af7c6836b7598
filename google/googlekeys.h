#pragma once

#include <QString>

// Preference keys that the Google engine reads and writes, one definition each. Keys that the
// address book layer defines as well (link property and extended property names) come from
// addressbook/addressbookkeys.h.
namespace googlekeys {

inline const QString gMailSuffix = QStringLiteral("gMailSuffix");
inline const QString gmRefetchAllContactsComplete = QStringLiteral("gmRefetchAllContactsComplete");
inline const QString googleAuthenticationFailure = QStringLiteral("googleAuthenticationFailure");
inline const QString googleBackupFolderPath = QStringLiteral("googleBackupFolderPath");
inline const QString googleConnectionFailure = QStringLiteral("googleConnectionFailure");
inline const QString googleServiceBaseURL = QStringLiteral("googleServiceBaseURL");
inline const QString imageTime = QStringLiteral("imageTime");
inline const QString isLoggedIn = QStringLiteral("isLoggedIn");
inline const QString kBatchResultsProperty = QStringLiteral("kBatchResultsProperty");
inline const QString kBatchTicketsProperty = QStringLiteral("kBatchTicketsProperty");
inline const QString kGoogleSource = QStringLiteral("kGoogleSource");
inline const QString keychainItemName = QStringLiteral("keychainItemName");
inline const QString keychainItemName2 = QStringLiteral("keychainItemName2");
inline const QString lastGoogleContactCount = QStringLiteral("lastGoogleContactCount");
inline const QString lastGoogleContactInsert = QStringLiteral("lastGoogleContactInsert");
inline const QString lastGoogleContactUpdate = QStringLiteral("lastGoogleContactUpdate");
inline const QString lastGoogleGroupCount = QStringLiteral("lastGoogleGroupCount");
inline const QString lastGoogleGroupInsert = QStringLiteral("lastGoogleGroupInsert");
inline const QString lastGoogleGroupUpdate = QStringLiteral("lastGoogleGroupUpdate");
inline const QString pendingArchiveFolderPath = QStringLiteral("pendingArchiveFolderPath");
inline const QString pendingFolderPath = QStringLiteral("pendingFolderPath");
inline const QString restartFolderPath = QStringLiteral("restartFolderPath");
inline const QString startMode = QStringLiteral("startMode");
inline const QString tmpFolderPath = QStringLiteral("tmpFolderPath");
inline const QString waitingOnGoogle = QStringLiteral("waitingOnGoogle");

} // namespace googlekeys
