#pragma once

#include <QString>

// The data loader's own texts: titles, messages, buttons, progress and log labels.
namespace loadertexts {

inline const QString windowClass = QStringLiteral("DataMoverWindowController");

// Buttons.
inline const QString stop = QStringLiteral("Stop");
inline const QString proceed = QStringLiteral("Proceed");
inline const QString backupThenProceed = QStringLiteral("Backup, then Proceed");
inline const QString skipBackup = QStringLiteral("Skip the backup, just Proceed");
inline const QString backupAddressBook = QStringLiteral("Backup Address Book");
inline const QString ok = QStringLiteral("OK");
inline const QString selectAllGroups = QStringLiteral("Select All Groups");
inline const QString deselectAllGroups = QStringLiteral("Deselect All Groups");

// Confirmation of the uploads.
inline const QString simpleUploadTitle =
    QStringLiteral("Proceed with making your Google Contacts & Groups identical to your Address Book?");
inline const QString advancedUploadTitle =
    QStringLiteral("Proceed with copying your specified Address Book data to Google Contacts?");
inline const QString simpleUploadCheck = QStringLiteral(
    "Check the Google Contact Data Preferences to ensure that the desired data will be uploaded "
    "to Google Contacts.");
inline const QString advancedUploadCheck = QStringLiteral(
    "Check the Google Contact Data Preferences to ensure that the desired data will be copied.");
inline const QString simpleDataBackupAlways = QStringLiteral(
    "\r\rBased on your cuurent preferences, Google data will be automatically backed up before "
    "the update.");
inline const QString advancedDataBackupAlways = QStringLiteral(
    "\r\rBased on your preferences, Google data will be automatically backed up before the "
    "update.");
inline const QString simpleDataBackupNever = QStringLiteral(
    "\r\rBased on your current preferences, Google data will NOT be backed up before the update.");
inline const QString advancedDataBackupNever = QStringLiteral(
    "\r\rBased on your preferences, Google data will NOT be backed up before the update.");
inline const QString simpleNoDataBackupAlways = QStringLiteral(
    "\r\rBased on your current preferences, Google data should be backed up, however since there "
    "is no current Google Contact data, no backup wiil occur.");
inline const QString advancedNoDataBackupAlways = QStringLiteral(
    "\r\rBased on your preferences, Google data should be backed up, however since there is no "
    "data, no backup wiil occur.");
inline const QString simpleNoDataBackupAsk = QStringLiteral(
    "\r\rBased on your current preferences, there should be prompt for a back up, however since "
    "there is no current Google Contact data, no backup can occur.");
inline const QString advancedNoDataBackupAsk = QStringLiteral(
    "\r\rBased on your preferences, there should be prompt for a back up, however since there is "
    "no current Google data, no backup can occur.");
inline const QString simpleNoDataBackupNever =
    QStringLiteral("\r\rCurrently there is no  Google Contact data.");
inline const QString advancedNoDataBackupNever = QStringLiteral("\r\rThere is no current Google data.");

// Confirmation of the downloads.
inline const QString simpleDownloadTitle = QStringLiteral(
    "Proceed with changing your Address Book, making it identical to your Google Contacts & "
    "Groups?");
inline const QString advancedDownloadTitle = QStringLiteral(
    "Proceed with  changing your Address Book, by downloading the selected Google Contacts & "
    "Groups?");
inline const QString downloadCheck = QStringLiteral(
    "Check the Address Book Data Preferences to ensure that the desired data will be dowloaded "
    "to Address Book.");
inline const QString simpleDownloadBackupAsk = QStringLiteral(
    "Backup will use Address Book's internal backup.  Complete that process, then re-request "
    "this function");
inline const QString downloadBackupNever = QStringLiteral(
    "\r\rBased on your current preferences, Address Book data will NOT be backed up before the "
    "update.");
inline const QString downloadNoDataBackupAsk = QStringLiteral(
    "\r\rBased on your current preferences, there should be prompt for a back up, however since "
    "there is no current Address Book data, no backup can occur.");
inline const QString downloadNoDataBackupNever =
    QStringLiteral("\r\rCurrently there is no  Address Book data.");

// Progress of the uploads.
inline const QString initializingUpload = QStringLiteral("Initializing update to Google  ...");
inline const QString examiningABGroups = QStringLiteral("Examining AB Groups  ...  %1");
inline const QString examiningAddressBookGroups =
    QStringLiteral("Examining Address Book Groups  ...  %1");
inline const QString examiningCompany = QStringLiteral("Examining AB Contacts  ...  %1");
inline const QString examiningPerson = QStringLiteral("Examining AB Contacts  ...  %1 %2");
inline const QString nothingToUpload =
    QStringLiteral("No Address Book data has been selected which requires updating Google.");
inline const QString noSimpleGroupActions = QStringLiteral("NO SimpleABGroup Actions are queued.");
inline const QString noSimpleContactActions =
    QStringLiteral("NO SimpleABContact Actions are queued.");
inline const QString noAdvancedGroupActions =
    QStringLiteral("NO Advanced Google Group Actions are queued.");
inline const QString noAdvancedContactActions =
    QStringLiteral("NO Advanced Google Contact Actions are queued.");
inline const QString willUpdate = QStringLiteral("will update");
inline const QString simpleGoogleUpdate = QStringLiteral("Simple Google Update");
inline const QString advancedGoogleUpdate = QStringLiteral("Advanced Google Update");

// Progress of the downloads.
inline const QString obtainingLatestData = QStringLiteral("Obtaining latest data from Google  ...");
inline const QString initializingDownload =
    QStringLiteral("Initializing update to Address Book  ...");
inline const QString updatingSimpleGroups = QStringLiteral("Updating Address Book Groups ... %1");
inline const QString updatingAdvancedGroups = QStringLiteral("Updating Address Book Groups  ...%1");
inline const QString removingGroup = QStringLiteral("Removing Address Book Group  ...%1");
inline const QString updatingContacts = QStringLiteral("Updating Address Book Contacts ... %1");
inline const QString removingContact = QStringLiteral("Removing Address Book Contacts  ...%1");
inline const QString removing = QStringLiteral("Removing");
inline const QString rewrittenLine = QStringLiteral("%1 - %2");
inline const QString emailAddressOnly = QStringLiteral("Email Address Only");
inline const QString simpleDownload = QStringLiteral("Simple Address Book Update");
inline const QString advancedDownload = QStringLiteral("Advanced Address Book Update");
inline const QString incompleteLists = QStringLiteral(
    "Google did not deliver all groups and contacts; nothing was changed on either side.");

// End of a process.
inline const QString processFailed = QStringLiteral("The %1 process failed");
inline const QString aProcessFailed = QStringLiteral("A Google process failed");
inline const QString processSucceeded = QStringLiteral("The %1  process completed succeessfully");
inline const QString aProcessSucceeded = QStringLiteral("A Google process completed succeessfully");
inline const QString googleReportedError = QStringLiteral("Google reported error: %1\r%2");

// The duplicate e-mail check.
inline const QString duplicatesTitle = QStringLiteral(
    "These email addresses are duplicated in Address Book.\rGoogle Contacts does not allow "
    "duplicated emails!");
inline const QString compatibleTitle =
    QStringLiteral("Your Address Book data is fully compatible with Google Contacts.");
inline const QString compatibleText =
    QStringLiteral("You may proceed with sending data to Google Contacts.");

// Matching log lines.
inline const QString nonUniqueGroupID = QStringLiteral("Unexpected Error: non-unique Google GroupID");
inline const QString nonUniqueGroupTitle =
    QStringLiteral("Unexpected Error: non-unique Google GroupTitle");
inline const QString nonUniqueContactID =
    QStringLiteral("Unexpected Error: non-unique Google ContactID");
inline const QString severalWithEmail =
    QStringLiteral("Possible Error?: More than 1 Google Contact with Email Address");
inline const QString severalWithTitle =
    QStringLiteral("Possible Duplication?: More than 1 Google Contact with Title");
inline const QString systemGroupTitle = QStringLiteral("System Group: %1");

// Login.
inline const QString loginTitle = QStringLiteral("Google Account");
inline const QString loginUser = QStringLiteral("Account:");
inline const QString loginPassword = QStringLiteral("Password:");
inline const QString loginButton = QStringLiteral("Login");
inline const QString cancelButton = QStringLiteral("Cancel");

// The window's own labels.
inline const QString atoGTab = QStringLiteral("Address Book to Google");
inline const QString gtoATab = QStringLiteral("Google to Address Book");
inline const QString simpleLayout = QStringLiteral("Simple");
inline const QString simpleUploadButton = QStringLiteral("Make Google identical to Address Book");
inline const QString advancedUploadButton = QStringLiteral("Copy ticked groups to Google");
inline const QString simpleDownloadButton = QStringLiteral("Make Address Book identical to Google");
inline const QString advancedDownloadButton = QStringLiteral("Copy ticked groups to Address Book");
inline const QString checkABButton = QStringLiteral("Check Address Book");
// Preferences: each tab's way to the options of its direction.
inline const QString reviewPrefsButton = QStringLiteral("Preferences...");
inline const QString includeSmartGroups = QStringLiteral("Include smart groups");
inline const QString uploadNoGroup = QStringLiteral("Also records in no group");
inline const QString downloadNoGroup = QStringLiteral("Also contacts in no group");
inline const QString reLoginButton = QStringLiteral("Login...");
inline const QString countsLine = QStringLiteral("%1 groups, %2 people, %3 companies, %4 in no group");
inline const QString googleCountsLine = QStringLiteral("%1 groups, %2 contacts, %3 in no group");
inline const QString groupColumn = QStringLiteral("Group");
inline const QString countColumn = QStringLiteral("Members");

// The agent's answers.
inline const QString listenerOff = QStringLiteral("false");
inline const QString listenerOn = QStringLiteral("true");

} // namespace loadertexts
