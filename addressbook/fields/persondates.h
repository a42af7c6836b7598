#pragma once

#include "platform/addressbook/recordclass.h"

#include <QDate>
#include <QString>

// A person's birthday and anniversary. Both are dates without a time of day, so they read the
// same in every time zone. Dates are null and texts "" when the person has none.
namespace AddressBookTool {

QDate birthdayDateForPerson(const PersonPtr &person);
// The abbreviated month name of the user's locale, a space and the day without a leading zero.
QString birthdayForPerson(const PersonPtr &person);
// Whole years since the birthday; -1 without a birthday, for a birthday that has no year, and
// for an age of 5 or less (a birthday in the future included).
int ageForPerson(const PersonPtr &person, const QDate &today = QDate::currentDate());

// The last other date labelled anniversary, and that date as birthdayForPerson writes it.
QDate anniversaryDateForPerson(const PersonPtr &person);
QString anniversaryForPerson(const PersonPtr &person);

// The sign of the birthday's month and day, "" without a birthday.
QString astrologicalSignForPerson(const PersonPtr &person);

} // namespace AddressBookTool
