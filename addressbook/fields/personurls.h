#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// A person's web addresses by label, and the one writer of them. Texts are "" and counts 0 when
// nothing matches, also for no person.
namespace AddressBookTool {

int countURLSForPerson(const PersonPtr &person);
int countURLSForABID(const QString &abid);
// One line "<label as the user reads it>:: <address>\r" per web address, in list order.
QString urlListForPerson(const PersonPtr &person);
QString workURLForPerson(const PersonPtr &person);
QString homeURLForPerson(const PersonPtr &person);
// The first address whose stored label equals the asked one in any case; the asked label
// "home page" (exactly) also finds the home page label.
QString urlForPerson(const PersonPtr &person, const QString &label);

// Gives the address to the first entry whose label, as the user reads it, equals the asked label,
// or adds it under that label when none does, and saves the address book. Other entries under the
// same label keep their addresses.
void setCustomURL(const QString &url, const PersonPtr &person, const QString &label);

} // namespace AddressBookTool
