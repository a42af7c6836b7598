#include "tests/support/addressbook/abtestbook.h"
#include "tests/support/addressbook/testpersons.h"

#include "addressbook/fields/persondates.h"
#include "platform/addressbook/abconstants.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <ctime>

namespace {

using namespace AddressBookTool;

// Dates without a time of day must read the same west of UTC, where a date kept as midnight UTC
// would show the day before.
class PersonDatesTest : public AddressBookTest
{
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        m_oldZone = qgetenv("TZ");
        qputenv("TZ", "America/Los_Angeles");
        tzset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        if (m_oldZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_oldZone);
        tzset();
    }

    static PersonPtr bornOn(const QVariant &birthday)
    {
        const PersonPtr person = Person::create();
        EXPECT_TRUE(person->setValueForProperty(birthday, kABBirthdayProperty));
        return person;
    }

private:
    QByteArray m_oldZone;
};

TEST_F(PersonDatesTest, BirthdayTextAndSign_AreTheStoredDayWestOfUtc)
{
    ASSERT_LT(QDateTime::currentDateTime().offsetFromUtc(), 0);
    const struct
    {
        QVariant stored;
        QString text;
        QString sign;
    } cases[] = {
        {QDate(1980, 3, 5), "Mar 5", "Pisces"},
        {QDate(1980, 1, 20), "Jan 20", "Capricorn"},
        {QDate(1980, 1, 21), "Jan 21", "Aquarius"},
        {QDate(1975, 9, 23), "Sep 23", "Virgo"},
        {QDate(1975, 12, 31), "Dec 31", "Capricorn"},
        {QDate(kABYearlessDateYear, 2, 29), "Feb 29", "Pisces"},
        // A date handed in as midnight UTC keeps its day.
        {QDateTime(QDate(1980, 1, 21), QTime(0, 0), QTimeZone::utc()), "Jan 21", "Aquarius"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const PersonPtr person = bornOn(c.stored);
        EXPECT_EQ(birthdayDateForPerson(person).day(), c.text.section(u' ', 1).toInt());
        EXPECT_EQ(birthdayForPerson(person), c.text);
        EXPECT_EQ(astrologicalSignForPerson(person), c.sign);
    }
}

TEST_F(PersonDatesTest, NoBirthday)
{
    for (const PersonPtr &person : {PersonPtr(), Person::create()}) {
        EXPECT_TRUE(birthdayDateForPerson(person).isNull());
        EXPECT_EQ(birthdayForPerson(person), "");
        EXPECT_FALSE(birthdayForPerson(person).isNull());
        EXPECT_EQ(ageForPerson(person), -1);
        EXPECT_EQ(astrologicalSignForPerson(person), "");
        EXPECT_FALSE(astrologicalSignForPerson(person).isNull());
    }
}

TEST_F(PersonDatesTest, Age_WholeYearsOnTheCalendar)
{
    const QDate today(2026, 12, 10);
    const struct
    {
        QDate birthday;
        int age;
    } cases[] = {
        {QDate(1996, 12, 9), 30},  // thirty years and one day
        {QDate(1996, 12, 10), 30}, // the birthday itself
        {QDate(1996, 12, 11), 29}, // a day short
        {QDate(2020, 12, 10), 6},
        {QDate(2022, 12, 10), -1}, // four years
        {QDate(2021, 12, 10), -1}, // five years
        {QDate(2027, 1, 1), -1},   // not born yet
        {QDate(kABYearlessDateYear, 3, 1), -1},
        {QDate(1604 + 4, 3, 1), 418},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.birthday.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(ageForPerson(bornOn(c.birthday), today), c.age);
    }
}

TEST_F(PersonDatesTest, Anniversary_LastEntryOfTheLabel)
{
    const PersonPtr person = personWith(kABOtherDatesProperty, PropertyType::MultiDateComponents,
                                        {{kABAnniversaryLabel, QDate(2001, 6, 2)},
                                         {kABOtherLabel, QDate(2002, 7, 3)},
                                         {kABAnniversaryLabel, QDate(2003, 8, 4)},
                                         {"anniversary", QDate(2004, 9, 5)}});
    EXPECT_EQ(anniversaryDateForPerson(person), QDate(2003, 8, 4));
    EXPECT_EQ(anniversaryForPerson(person), "Aug 4");

    const PersonPtr none = personWith(kABOtherDatesProperty, PropertyType::MultiDateComponents,
                                      {{kABOtherLabel, QDate(2002, 7, 3)}});
    EXPECT_TRUE(anniversaryDateForPerson(none).isNull());
    EXPECT_EQ(anniversaryForPerson(none), "");
    EXPECT_TRUE(anniversaryDateForPerson(nullptr).isNull());
}

} // namespace
