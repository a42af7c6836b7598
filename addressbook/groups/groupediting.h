#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// Making, removing and filling groups. The operations that say so save the address book.
namespace AddressBookTool {

// Adds a group of that name and saves; null when the save fails.
GroupPtr addNewGroup(const QString &name);
// Removes the one group of that name, without saving.
bool deleteGroup(const QString &name);
// Removes every person of a manual group, without saving; a smart group computes its members and
// is left alone.
void removeAllMembersFromGroup(const GroupPtr &group);

// Each saves after the change.
void addPersonForABID(const QString &personABID, const GroupPtr &group);
void addPerson(const PersonPtr &person, const QString &groupName);
void removePerson(const PersonPtr &person, const QString &groupName);

// False when a group is missing or the parent refuses it; else the answer of the save.
bool addNewSubGroup(const GroupPtr &group, const GroupPtr &parent);
bool addGroupRecord(const GroupPtr &group, const QString &parentName);
bool addGroupNamed(const QString &groupName, const QString &parentName);

} // namespace AddressBookTool
