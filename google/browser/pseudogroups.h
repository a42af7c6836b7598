// The browser's pseudo groups beside Google's own (newest contacts, only in My Contacts, in no
// group, companies, men, women, neither), each a filter over the engine's contacts, and the
// contacts of a selection of groups and pseudo groups. Pseudo groups are named by the values of
// the preferences systemGroupRecent, systemGroupNoGroup, systemGroupEmailOnly, systemGroupCompany,
// systemGroupMale, systemGroupFemale and systemGroupNoGender.
#pragma once

#include "google/engine/googlecontactlists.h"

#include <QList>
#include <QStringList>

namespace pseudogroups {

using Contacts = QList<GDataEntryContactPtr>;

// The systemGroupRecentCount newest contacts by creation date, in title order.
Contacts recentArray(const GoogleContactLists &lists);
// By the contact's own program property: isCo "1", gender "M", gender "F"; and the contacts
// without that property or with neither company mark nor gender.
Contacts companyArray(const GoogleContactLists &lists);
Contacts maleArray(const GoogleContactLists &lists);
Contacts femaleArray(const GoogleContactLists &lists);
Contacts noGenderArray(const GoogleContactLists &lists);
// Contacts in no group at all.
Contacts emailOnlyArray(const GoogleContactLists &lists);
// Contacts whose only group is My Contacts.
Contacts noGroupArray(const GoogleContactLists &lists);
// Contacts in My Contacts.
Contacts myContactsArray(const GoogleContactLists &lists);
// Groups whose display name does not hold "System Group:" in any case.
QList<GDataEntryContactGroupPtr> nonSystemGroupsArray(const GoogleContactLists &lists);

// A selection of the browser: pseudo-group identifiers and Google groups, each once.
struct GroupSelection
{
    QStringList pseudoGroups;
    QList<GDataEntryContactGroupPtr> groups;
};

// Each identifier that names a pseudo group is kept as it is; any other stands for the group that
// groupForID finds, and for nothing when there is none.
GroupSelection groupSetForIDs(const GoogleContactLists &lists, const QStringList &identifiers);

// The contacts of any (useIntersection false) or of every (true) element of the selection, in
// list order: the union of nothing is empty, the intersection of nothing is every contact. An
// identifier that names no pseudo group has no part in either.
Contacts contactsForGroupSet(const GoogleContactLists &lists, const GroupSelection &selection,
                             bool useIntersection);

// Whether the identifier is the title of one of the seven pseudo groups.
bool isPseudoGroup(const QString &identifier);

} // namespace pseudogroups
