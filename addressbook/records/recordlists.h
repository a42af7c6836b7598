#pragma once

#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QString>

// Whole lists of the address book and substring searches over it.
namespace AddressBookTool {

// People and companies, as the address book gives them.
QList<PersonPtr> allRecords();
// Records that show as persons, by first name, then last name.
QList<PersonPtr> allPeople();
// Records that show as companies, by organisation.
QList<PersonPtr> allCompanies();
// Groups and smart groups by name.
QList<GroupPtr> allGroups();

// Persons holding the text anywhere in the searched fields, case ignored; unsorted.
QList<PersonPtr> peopleWithNotesString(const QString &text);
// Street, city and state of work and home addresses.
QList<PersonPtr> peopleWithAddressString(const QString &text);
// Organisation, department and job title.
QList<PersonPtr> peopleWithOrganizationString(const QString &text);
// Title, first name, nickname, last name and suffix.
QList<PersonPtr> peopleWithNameString(const QString &text);

} // namespace AddressBookTool
