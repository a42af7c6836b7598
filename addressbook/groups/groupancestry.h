#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

// The groups a group or a person belongs to, directly or through other groups.
namespace AddressBookTool {

using GroupStep = std::function<QList<GroupPtr>(const GroupPtr &)>;
// The start groups and every group the step reaches from them, each once, in the order reached.
QList<GroupPtr> groupsReachedFrom(const QList<GroupPtr> &start, const GroupStep &step);

// Each list holds every group once, sorted by name, and is empty when there is none.
QList<GroupPtr> recursiveSubGroupsOfABGroup(const GroupPtr &group);
QList<GroupPtr> recursiveParentGroupsOfABGroup(const GroupPtr &group);
QList<GroupPtr> recursiveParentGroupsForABPerson(const PersonPtr &person);

// The smart groups whose members hold the person, in smartABGroups order.
QList<GroupPtr> smartGroupsForABPerson(const PersonPtr &person);
int countOfGroupsForPerson(const PersonPtr &person);

// The person's direct groups (or, recursively, all its groups) and the smart groups it matches.
QSet<QString> allGroupIDsForABID(const QString &personABID);
QSet<QString> allRecursiveGroupIDsForABID(const QString &personABID);

// One {"ABID", "ABName"} dictionary per direct group; {"ABID" = "", "ABName" = "None"} alone when
// the person is in no group or not found.
QList<QVariantMap> groupsForABID(const QString &personABID);
// The person's direct groups by name; nullopt when there is no such person.
std::optional<QList<GroupPtr>> abGroupsForABID(const QString &personABID);

} // namespace AddressBookTool
