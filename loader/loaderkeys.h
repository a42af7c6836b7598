#pragma once

#include <QString>

// Preference keys the data loader reads and writes that no earlier folder defines.
namespace loaderkeys {

// Upload options.
inline const QString gmUpdateBackupMode = QStringLiteral("gmUpdateBackupMode");
inline const QString gmUpdateGroups = QStringLiteral("gmUpdateGroups");
inline const QString gmRemoveAllOtherGroups = QStringLiteral("gmRemoveAllOtherGroups");
inline const QString gmRemoveAllOtherContacts = QStringLiteral("gmRemoveAllOtherContacts");
inline const QString gsNoGroup = QStringLiteral("gsNoGroup");
inline const QString gmUpdatePictures = QStringLiteral("gmUpdatePictures");
inline const QString gmUpdateAlwaysBackup = QStringLiteral("gmUpdateAlwaysBackup");

// Download options.
inline const QString abUpdateBackupMode = QStringLiteral("abUpdateBackupMode");
inline const QString isSynchProcess = QStringLiteral("isSynchProcess");
inline const QString abUpdateGroups = QStringLiteral("abUpdateGroups");
inline const QString abUpdateContacts = QStringLiteral("abUpdateContacts");
inline const QString abUpdateGroupsIncludeSystemGroups =
    QStringLiteral("abUpdateGroupsIncludeSystemGroups");
inline const QString abNoGroup = QStringLiteral("abNoGroup");
inline const QString abRemoveOtherGroups = QStringLiteral("abRemoveOtherGroups");
inline const QString abRemoveOtherContacts = QStringLiteral("abRemoveOtherContacts");
inline const QString abUpdateNoEmailAddrOnly = QStringLiteral("abUpdateNoEmailAddrOnly");
inline const QString abUpdateNeverMeCard = QStringLiteral("abUpdateNeverMeCard");

// The window.
inline const QString gsIncludeSmartGroups = QStringLiteral("gsIncludeSmartGroups");
inline const QString gsTabViewIdentifier = QStringLiteral("gsTabViewIdentifier");
inline const QString gsType = QStringLiteral("gsType");
inline const QString gsRemoveOtherGroups = QStringLiteral("gsRemoveOtherGroups");
inline const QString gsRemoveOtherContacts = QStringLiteral("gsRemoveOtherContacts");
inline const QString autoABArray = QStringLiteral("autoABArray");
inline const QString useKeychain = QStringLiteral("useKeychain");
inline const QString totalGoogleContacts = QStringLiteral("totalGoogleContacts");
inline const QString totalGoogleGroups = QStringLiteral("totalGoogleGroups");
inline const QString totalABContacts = QStringLiteral("totalABContacts");
inline const QString totalABCompanies = QStringLiteral("totalABCompanies");
inline const QString googleNoGroupCount = QStringLiteral("googleNoGroupCount");
inline const QString useSafari = QStringLiteral("useSafari");
inline const QString launchSafari = QStringLiteral("launchSafari");
inline const QString isSafariRunning = QStringLiteral("isSafariRunning");
inline const QString googleContactDomain = QStringLiteral("googleContactDomain");
inline const QString googleContactURLTag = QStringLiteral("googleContactURLTag");

} // namespace loaderkeys
