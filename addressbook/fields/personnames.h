#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// The ways the system names a person in logs, lists and sheets.
namespace AddressBookTool {

// A company's organisation; else "first last", the one present, or "No Assigned Name".
QString firstLastNameForPerson(const PersonPtr &person);
// A company's organisation as stored (null when it has none); else "first last", with a nickname
// that differs from the first name in double quotes between them; else the name present, or "".
QString fullNameForPerson(const PersonPtr &person);
// A company's organisation; else the nickname, first, last or middle name, the first present,
// failing all the organisation; "" for no person.
QString shortNameForPerson(const PersonPtr &person);
// A company's organisation as stored (null when it has none); else "title first M. last suffix",
// each piece only when present and each but the suffix followed by a blank.
QString formalNameForPerson(const PersonPtr &person);

} // namespace AddressBookTool
