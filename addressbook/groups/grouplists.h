#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Groups of the address book, smart and manual.
namespace AddressBookTool {

// Groups by name whose unique identifier marks them smart, and the others.
QList<GroupPtr> smartABGroups();
QList<GroupPtr> nonSmartABGroups();
// The group's class reports a search element; false when no single group has the identifier.
bool isSmartGroup(const QString &groupABID);
bool hasSubGroups(const QString &groupABID);
bool groupHasSubGroups(const GroupPtr &group);

// Every group's identifier, smart groups included whatever the flag.
QSet<QString> groupIDsIncludeSmart(bool includeSmart);
// Every group name once, sorted; smart groups' names are among them whatever the flag.
QStringList groupNamesIncludeSmart(bool includeSmart);

} // namespace AddressBookTool
