#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// A person's name and postal address laid out for an envelope. Lines end with carriage returns;
// the address is laid out by the address book in its country's layout.
namespace AddressBookTool {

// For "Work": the name line, the job title and organisation lines when there are any, and the
// last work address; for "Home": the name line and the last home address; for any other label the
// name line alone. "" for no person.
QString mailingLabelForPerson(const PersonPtr &person, const QString &label);
QString mailingLabelForABID(const QString &abid, const QString &label);

} // namespace AddressBookTool
