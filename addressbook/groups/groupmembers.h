#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// Members of groups, filtered to persons, companies or both.
namespace AddressBookTool {

// The group's members of the kinds asked for, by first name, last name and organisation; empty
// for no group or neither kind.
QList<PersonPtr> membersOfABGroup(const GroupPtr &group, bool includePeople, bool includeCompanies);
QList<PersonPtr> membersOfGroupID(const QString &groupABID, bool includePeople,
                                  bool includeCompanies);
QList<PersonPtr> membersOfGroupName(const QString &name, bool includePeople, bool includeCompanies);

// The members of the group and of all its subgroups, each once. With subgroups the list is by last
// name and organisation; without, as membersOfABGroup.
QList<PersonPtr> recursiveMembersOfABGroup(const GroupPtr &group, bool includePeople,
                                           bool includeCompanies);
QList<PersonPtr> recursiveMembersOfGroupID(const QString &groupABID, bool includePeople,
                                           bool includeCompanies);

// Records of the kinds asked for that are in no manual group and match no smart group, in the
// address book's order.
QList<PersonPtr> recordsWithNoGroupIncludePeople(bool includePeople, bool includeCompanies);
int countNoGroupIncludePeople(bool includePeople, bool includeCompanies);

// The persons named by the "abid" value of each dictionary, in order; dictionaries whose value
// finds no person are skipped.
QList<PersonPtr> allMembersOfDock(const QList<QVariantMap> &dockMembers);

} // namespace AddressBookTool
