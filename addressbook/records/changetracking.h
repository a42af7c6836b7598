#pragma once

#include "platform/addressbook/recordclass.h"

#include <QDateTime>
#include <QList>

// What changed in the address book since a date, or since the snapshot the main program stores
// when it quits.
namespace AddressBookTool {

// The newest creation or modification date of persons (companies included) or groups; invalid
// when there are none.
QDateTime lastPersonInsertDate();
QDateTime lastPersonUpdateDate();
QDateTime lastGroupInsertDate();
QDateTime lastGroupUpdateDate();

// Records created or modified strictly after the date.
QList<PersonPtr> peopleInsertedSince(const QDateTime &date);
QList<PersonPtr> peopleChangedSince(const QDateTime &date);
QList<GroupPtr> groupsInsertedSince(const QDateTime &date);
QList<GroupPtr> groupsChangedSince(const QDateTime &date);

// Whether a count or a newest date differs from the snapshot. A date missing on both sides is no
// difference: an address book without groups has no group dates to change.
bool hasABChangedSinceLast();
bool hasABCountChangedSinceLast();
bool hasABModDateChangedSinceLast();

} // namespace AddressBookTool
