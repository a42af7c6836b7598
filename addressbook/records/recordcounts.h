#pragma once

// How many records of each kind the address book holds, published in the preferences for the
// windows. Persons and companies are told apart by their show-as flags, so each record counts
// once and their sum is the number of contacts.
namespace AddressBookTool {

int personCount();
int companyCount();
// Groups and smart groups.
int groupCount();
int personImageCount();
int companyImageCount();
int birthdayCount();
int anniversaryCount();

// Writes the totals of groups, persons, companies, contacts and records in no group, whether the
// address book has data, and whether updates may remove any contact.
void setUserDefaultCounts();
// Writes and logs the counts of persons, birthdays, anniversaries, images and companies.
void setCounts();

} // namespace AddressBookTool
