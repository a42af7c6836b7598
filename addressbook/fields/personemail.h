#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>
#include <QStringList>

// A person's e-mail addresses by label and in the order the Google side takes them. Texts are ""
// when nothing matches, also for no person.
namespace AddressBookTool {

// The e-mail address at the primary entry; without a primary, the first; "" when there is none.
QString primaryEmailForPerson(const PersonPtr &person);
// The first work address; without one, homeEmailForPerson.
QString workEmailForPerson(const PersonPtr &person);
QString homeEmailForPerson(const PersonPtr &person);
// Every address once per entry: the primary, then the work ones, then the home ones, then the rest,
// each group in list order. The same text at two entries stays twice.
QStringList tryOrderedEmailAddressesForPerson(const PersonPtr &person);

} // namespace AddressBookTool
