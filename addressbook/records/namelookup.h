#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// Persons by their first and last names.
namespace AddressBookTool {

// The one person whose first and last names equal the words of the name, ignoring case: one word
// is a first name; two are a first and a last name; with more, the first word is the first name
// and the rest the last name, else the first two words are the first name and the rest the last.
// Null for no name, no match or several matches (the last logged whatever the level). A Google
// contact's data is written into the person found, so a near match must never count.
PersonPtr findByName(const QString &name);

// Persons whose names equal the given ones, ignoring case.
int countForFirstName(const QString &first, const QString &last);
int countForFirstName(const QString &first, const QString &last, const QString &email);
// The first such person's unique identifier; "" when there is none.
QString abidForFirstName(const QString &first, const QString &last);
QString abidForFirstName(const QString &first, const QString &last, const QString &email);

} // namespace AddressBookTool
