#include "addressbook/fields/persondates.h"

#include "addressbook/fields/labelledvalues.h"
#include "foundation/vozuveva/vozuvevaconversions.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QLocale>

namespace AddressBookTool {

namespace {

constexpr int kYoungestAge = 6;

QString monthAndDay(const QDate &date)
{
    if (!date.isValid())
        return QStringLiteral("");
    return QLocale().toString(date, QStringLiteral("MMM d"));
}

} // namespace

QDate birthdayDateForPerson(const PersonPtr &person)
{
    return person ? person->valueForProperty(kABBirthdayProperty).toDate() : QDate();
}

QString birthdayForPerson(const PersonPtr &person)
{
    return monthAndDay(birthdayDateForPerson(person));
}

// Counted on the calendar: a fixed year length would be a day off around birthdays.
int ageForPerson(const PersonPtr &person, const QDate &today)
{
    const QDate birthday = birthdayDateForPerson(person);
    if (!birthday.isValid() || birthday.year() == kABYearlessDateYear)
        return -1;
    int age = today.year() - birthday.year();
    if (today.month() < birthday.month() ||
        (today.month() == birthday.month() && today.day() < birthday.day()))
        --age;
    return age >= kYoungestAge ? age : -1;
}

QDate anniversaryDateForPerson(const PersonPtr &person)
{
    const MultiValue dates = labelledvalues::valuesOf(person, kABOtherDatesProperty);
    const int index = labelledvalues::lastIndexOfLabel(dates, kABAnniversaryLabel);
    return index < 0 ? QDate() : dates.valueAt(index).toDate();
}

QString anniversaryForPerson(const PersonPtr &person)
{
    return monthAndDay(anniversaryDateForPerson(person));
}

QString astrologicalSignForPerson(const PersonPtr &person)
{
    const QDate birthday = birthdayDateForPerson(person);
    if (!birthday.isValid())
        return QStringLiteral("");
    const QString sign = VozuVeva::astrologicalSignFromMonth(birthday.month(), birthday.day());
    return sign.isNull() ? QStringLiteral("") : sign;
}

} // namespace AddressBookTool
