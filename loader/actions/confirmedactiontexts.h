#pragma once

#include <QString>

// The sheets of the data loader's confirmed batch actions, as the user sees them.
namespace confirmedtexts {

inline const QString cancel = QStringLiteral("Cancel");
inline const QString ok = QStringLiteral("OK");
inline const QString cannotBeUndone = QStringLiteral("This cannot be undone!");
inline const QString meNote = QStringLiteral("NOTE: Tolvane will not delete the \"ME\" record!");

// Group deletions.
inline const QString smartGroupsTitle = QStringLiteral("Delete ALL of the Address Book's Smart Groups?");
inline const QString smartGroupsButton = QStringLiteral("Delete ALL Smart Groups");
inline const QString manualGroupsTitle =
    QStringLiteral("Delete ALL of the Address Book's non-Smart Groups");
inline const QString manualGroupsButton = QStringLiteral("Delete ALL non-Smart Groups");
inline const QString groupTitle = QStringLiteral("Delete the Address Book Group: %1");
inline const QString groupButton = QStringLiteral("Delete Group from Address Book");
inline const QString allGoogleGroupsTitle =
    QStringLiteral("Delete ALL the Address Book Groups which are found on Google?");
inline const QString allGoogleGroupsButton =
    QStringLiteral("Delete ALL Google Groups from Address Book");

// Record deletions.
inline const QString groupMembersTitle =
    QStringLiteral("Delete all members of the Address Book Group: %1");
inline const QString groupMembersButton = QStringLiteral("Delete Members");
inline const QString companiesTitle = QStringLiteral("Delete ALL Address Book Companies");
inline const QString companiesButton = QStringLiteral("Delete ALL Companies");
inline const QString peopleTitle = QStringLiteral("Delete ALL Address Book Contacts");
inline const QString peopleButton = QStringLiteral("Delete ALL People");
inline const QString googleGroupMembersTitle =
    QStringLiteral("Delete from Address Book all members of the Google Group: %1");
inline const QString googleGroupMembersButton = QStringLiteral("Delete Google Members");
inline const QString allGoogleContactsTitle =
    QStringLiteral("Delete from Address Book ALL Google Contacts");
inline const QString allGoogleContactsButton = QStringLiteral("Delete ALL Google Contacts");
inline const QString emailOnlyTitle =
    QStringLiteral("Delete from Address Book ALL Email-Address-Only Google Contacts?");
inline const QString emailOnlyButton = QStringLiteral("Delete ALL Google Email-Only Contacts");
inline const QString noGroupTitle = QStringLiteral(
    "Delete from Address Book ALL Google Contacts who are not a member of any Google Group");
inline const QString noGroupButton = QStringLiteral("Delete ALL Google No-Group Contacts");

// Downloads.
inline const QString groupMemberDownloadTitle =
    QStringLiteral("Download all members of the Google Group: %1?");
inline const QString onlyContactsButton = QStringLiteral("Download only the Contacts");
inline const QString groupAndContactsButton = QStringLiteral("Download the Group AND the Contacts");
inline const QString noGroupDownloadTitle =
    QStringLiteral("Download any Google Contact who IS NOT a member of ANY Google Group?");
inline const QString downloadButton = QStringLiteral("Download from Google");
inline const QString onlyEmailDownloadTitle = QStringLiteral(
    "Download any Google Contact who has only an email address (typically these were created by "
    "GMail)?");
inline const QString allContactsDownloadTitle =
    QStringLiteral("Download all %1 Google Contacts into Address Book?");
inline const QString allContactsDownloadButton = QStringLiteral("Download ALL Google Contacts");
inline const QString abGroupMemberDownloadTitle = QStringLiteral(
    "Download the current Google information for all Google Contac members of the Address Book "
    "Group: %1?");
inline const QString companiesDownloadTitle = QStringLiteral(
    "Download the current Google information for any \"Company\" record in  Address Book?");
inline const QString peopleDownloadTitle = QStringLiteral(
    "Download the current Google information for any  \"Person\" record in  Address Book?");
inline const QString groupCreateTitle = QStringLiteral("Create an Address Book Group named: %1?");
inline const QString justCreateButton = QStringLiteral("Just create the Address Book Group");
inline const QString createAndDownloadButton =
    QStringLiteral("Create the Address Book Group AND download ALL Members");
inline const QString allGroupsTitle =
    QStringLiteral("Create an Address Book Group for every Google Group?");
inline const QString allGroupsButton = QStringLiteral("Create Address Book Groups");

// The sheets for an empty set.
inline const QString noABGroupMembers =
    QStringLiteral("No Google Contacts are members of Address Book Group \"%1\"!");
inline const QString noGoogleGroupMembers =
    QStringLiteral("There are no members of the Google Group \"%1\"!");
inline const QString noGoogleContacts = QStringLiteral("There are no Google Contacts!");
inline const QString noCompanies = QStringLiteral("There are no companies in Address Book!");
inline const QString noPeople = QStringLiteral("There are no people in Address Book!");
inline const QString noEmailOnly = QStringLiteral("There are no EMail-Only Google Contacts!");
inline const QString noNoGroup =
    QStringLiteral("There are no Google Contacts who are not members of any group!");
inline const QString noGoogleGroups = QStringLiteral("There are no Google Groups!");
inline const QString noSuchGoogleGroup = QStringLiteral("There is no Google Group \"%1\"!");
inline const QString refetchFailed =
    QStringLiteral("Google could not be read again, so nothing was downloaded: %1");
inline const QString refetchIncomplete =
    QStringLiteral("Google's lists came back incomplete, so nothing was downloaded.");

// Progress.
inline const QString updatingGroups = QStringLiteral("Updating Address Book groups  ...");
inline const QString downloadingGroup = QStringLiteral("Downloading Google Group: %1");
inline const QString preparing = QStringLiteral("Preparing to update Address Book  ...");
inline const QString downloadingContact = QStringLiteral("Downloading Google Contact: %1");

} // namespace confirmedtexts
