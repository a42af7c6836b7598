// Texts of the browser tables' delete and remove sheets.
#pragma once

#include <QString>

namespace tabletexts {

inline const QString remove = QStringLiteral("Remove");
inline const QString deleteButton = QStringLiteral("Delete");
inline const QString cancel = QStringLiteral("Cancel");
inline const QString ok = QStringLiteral("OK");

// Removing contacts from the selected groups, by the counts of contacts and groups.
inline const QString removeOneFromOne =
    QStringLiteral("Remove one Google Contact from one Google Group");
// Two blanks after "Remove": the contact's name, the group's name.
inline const QString removeOneFromOneText =
    QStringLiteral("Remove  \"%1\" from the Google Group: %2?");
inline const QString removeManyFromOne =
    QStringLiteral("Remove multiple Google Contacts from one Google Group");
inline const QString removeManyFromOneText =
    QStringLiteral("Remove the %1 selected contacts from the Google Group: %2?");
inline const QString removeOneFromMany =
    QStringLiteral("Remove one Google Contact from MULTIPLE Google Groups");
inline const QString removeOneFromManyText =
    QStringLiteral("Remove \"%1\" from the %2 selected Google Groups?");
inline const QString removeManyFromMany =
    QStringLiteral("Remove MULTIPLE Google Contacts from MULTIPLE Google Groups");
inline const QString removeManyFromManyText =
    QStringLiteral("Remove the selected %1 contacts from the %2 selected Google Groups?");

inline const QString contactsNotDeletable =
    QStringLiteral("Your current preferences do not permit deletion of Google Contacts");
inline const QString groupsNotDeletable =
    QStringLiteral("Your current preferences do not permit deletion of Google Groups");
inline const QString whereTheRuleIs =
    QStringLiteral("This setting is found on the 'Google' pane under 'Rules'.");

inline const QString deleteOneContact = QStringLiteral("Permanently DELETE a Google Contact");
// Two blanks after "DELETE" (also of a group's): the name.
inline const QString deleteOneText = QStringLiteral("Permanently DELETE  \"%1\" ?");
inline const QString deleteManyContacts =
    QStringLiteral("Permanently DELETE multiple Google Contacts");
inline const QString deleteManyContactsText =
    QStringLiteral("Permanently DELETE the %1 selected contacts?");
inline const QString deleteOneGroup = QStringLiteral("Permanently DELETE a Google Group");
inline const QString deleteManyGroups = QStringLiteral("Permanently DELETE multiple Google Groups");
inline const QString deleteManyGroupsText =
    QStringLiteral("Permanently DELETE the %1 selected groups?");

} // namespace tabletexts
