#pragma once

#include <QString>

// The sheets, progress texts and process names of the delete commands, one definition each.
namespace deletetexts {

inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString deleteContactsButton = QStringLiteral("Delete Google Contacts");
inline const QString deleteAllPeopleButton = QStringLiteral("Delete All People");
inline const QString deleteAllCompaniesButton = QStringLiteral("Delete All Companies");
inline const QString deleteButton = QStringLiteral("Delete");
inline const QString cannotBeUndone = QStringLiteral("This cannot be undone!");
inline const QString nothingSelected = QStringLiteral("No Google Contacts selected to delete");

inline const QString deletingContacts = QStringLiteral("Deleting Google Contacts: ");
inline const QString deletingPeople = QStringLiteral("Deleting People from Google: ");
inline const QString deletingCompanies = QStringLiteral("Deleting Companies from Google: ");

inline const QString noNameTitle = QStringLiteral("Delete the %1 Google \"No Name\" Contacts?");
inline const QString noNameNoneTitle =
    QStringLiteral("There are no \"No Name\" Contacts to delete");
inline const QString noNameNone =
    QStringLiteral("There are no contacts without a name at this time.");
inline const QString noGroupTitle =
    QStringLiteral("Delete the %1 Google Contacts who are not members of any Google Group");
inline const QString noGroupNone = QStringLiteral("There are no non-group members.");
inline const QString groupMembersTitle =
    QStringLiteral("Delete ALL Google Contacts who are members of Google Group: %1?");
inline const QString groupMembersNone = QStringLiteral("There are no group members.");
inline const QString abGroupMembersTitle =
    QStringLiteral("Delete the %1 Google Contacts who are members of Address Book group: %2?");
inline const QString abGroupMembersNone =
    QStringLiteral("There are no Google Contacts who are members of Address Book group: %1.");
inline const QString abPeopleTitle =
    QStringLiteral("Delete ALL People in the Address Book from Google Contacts?");
inline const QString abPeopleNone =
    QStringLiteral("There are no Google Contacts who are people in Address Book");
inline const QString abCompaniesTitle =
    QStringLiteral("Delete ALL Companies in the Address Book from Google Contacts?");
inline const QString abCompaniesNone =
    QStringLiteral("There are no Google Contacts which are companies in Address Book");
inline const QString allContactsTitle = QStringLiteral("Please confirm:\nDelete all %1 contacts?");
inline const QString allGroupsTitle =
    QStringLiteral("Please confirm:\nDelete all %1 GoogleContact Groups?");

inline const QString incoming = QStringLiteral("Incoming Google  ...");
inline const QString deletingAllContacts = QStringLiteral("Deleting Google Contacts  ...");
inline const QString deletingAllGroups = QStringLiteral("Deleting Google Groups  ...");
inline const QString sendingDelete = QStringLiteral("Sending Google delete: %1");
inline const QString waitingOnGoogle = QStringLiteral("Waiting on Google...");
inline const QString batchID = QStringLiteral("batchID_%1");

inline const QString deleteContactsProcess = QStringLiteral("Delete Google Contacts");
inline const QString deleteAllContactsProcess = QStringLiteral("Delete All Google Contacts");
inline const QString deleteAllGroupsProcess = QStringLiteral("Delete All Google Groups");
inline const QString deleteAllFailedProcess = QStringLiteral("Simple Google Update");

inline const QString groupDeleted = QStringLiteral("Delete Google Group Succeeded");
inline const QString groupDeletedText = QStringLiteral("Entry deleted");
inline const QString groupDeleteFailed = QStringLiteral("Delete Google Group failed");
inline const QString groupDeleteFailedText =
    QStringLiteral("Group Delete Gailed: %1\nUser info:%2");

} // namespace deletetexts

// The contexts of the delete-all sheet: which held feed it deletes.
namespace deletecontexts {
inline const QString contacts = QStringLiteral("contacts");
inline const QString groups = QStringLiteral("groups");
// The list commands' candidates.
inline const QString candidates = QStringLiteral("candidates");
} // namespace deletecontexts
