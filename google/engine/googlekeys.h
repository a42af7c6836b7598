#pragma once

#include <QString>

// Preference keys of the Google engine and its entry adapters. Each key has this one definition;
// keys that the address book layer defines as well (link property and extended property names)
// come from addressbook/addressbookkeys.h.
// clang-format off
namespace googlekeys {

inline const QString abUpdatePresumeDoubleFirst = QStringLiteral("abUpdatePresumeDoubleFirst");
inline const QString batchABContactPicturesTicketComplete = QStringLiteral("batchABContactPicturesTicketComplete");
inline const QString datafilePath = QStringLiteral("datafilePath");
inline const QString doDefaultCountry = QStringLiteral("doDefaultCountry");
inline const QString gMailSuffix = QStringLiteral("gMailSuffix");
inline const QString gmRefetchAllContactsComplete = QStringLiteral("gmRefetchAllContactsComplete");
inline const QString gmUpdateAppendNotes = QStringLiteral("gmUpdateAppendNotes");
inline const QString gmUpdateCompany = QStringLiteral("gmUpdateCompany");
inline const QString gmUpdateEmail = QStringLiteral("gmUpdateEmail");
inline const QString gmUpdateIM = QStringLiteral("gmUpdateIM");
inline const QString gmUpdateMemberships = QStringLiteral("gmUpdateMemberships");
inline const QString gmUpdateName = QStringLiteral("gmUpdateName");
inline const QString gmUpdateNameFormat = QStringLiteral("gmUpdateNameFormat");
inline const QString gmUpdateNeverRemoveContacts = QStringLiteral("gmUpdateNeverRemoveContacts");
inline const QString gmUpdateNeverRemoveGroups = QStringLiteral("gmUpdateNeverRemoveGroups");
inline const QString gmUpdateNicknameUsage = QStringLiteral("gmUpdateNicknameUsage");
inline const QString gmUpdateNotes = QStringLiteral("gmUpdateNotes");
inline const QString gmUpdatePhone = QStringLiteral("gmUpdatePhone");
inline const QString gmUpdatePicture = QStringLiteral("gmUpdatePicture");
inline const QString gmUpdatePostal = QStringLiteral("gmUpdatePostal");
inline const QString gmUpdateTitle = QStringLiteral("gmUpdateTitle");
inline const QString googleAuthenticationFailure = QStringLiteral("googleAuthenticationFailure");
inline const QString googleBackupFolderPath = QStringLiteral("googleBackupFolderPath");
inline const QString googleConnectionFailure = QStringLiteral("googleConnectionFailure");
inline const QString googleDataMask = QStringLiteral("googleDataMask");
inline const QString googleHasContactData = QStringLiteral("googleHasContactData");
inline const QString googleHasData = QStringLiteral("googleHasData");
inline const QString googleHasGroupData = QStringLiteral("googleHasGroupData");
inline const QString googleServiceBaseURL = QStringLiteral("googleServiceBaseURL");
// The wire protocol and OAuth client of the account's service.
inline const QString googleServiceProtocol = QStringLiteral("googleServiceProtocol");
inline const QString googleOAuthClientID = QStringLiteral("googleOAuthClientID");
inline const QString gsAccount = QStringLiteral("gsAccount");
inline const QString gsAccount2 = QStringLiteral("gsAccount2");
inline const QString imageFetchComplete = QStringLiteral("imageFetchComplete");
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
inline const QString useGenderBasedImages = QStringLiteral("useGenderBasedImages");
inline const QString waitingOnGoogle = QStringLiteral("waitingOnGoogle");

} // namespace googlekeys
// clang-format on
