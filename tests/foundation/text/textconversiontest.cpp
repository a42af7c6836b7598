#include "foundation/text/textconversion.h"
#include "tests/support/logcapture.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Dates are read in the user's day-month order, which the default locale gives.
class DateInLocale : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    static void useLocale(const char *name)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    }
};

struct DateCase
{
    const char *locale;
    const char *text;
    QDate expected; // null: no date
};

TEST_F(DateInLocale, StringToDate_ReadsTypedDatesInTheUsersOrder)
{
    const int thisYear = QDate::currentDate().year();
    const DateCase cases[] = {
        // month-first short format "M/d/yy"
        {"en_US", "12/08/1965", QDate(1965, 12, 8)},
        {"en_US", "12-08-1965", QDate(1965, 12, 8)},
        {"en_US", "Dec 8, 1965", QDate(1965, 12, 8)},
        {"en_US", "December 8 1965", QDate(1965, 12, 8)},
        {"en_US", "Wednesday, December 8, 1965 10:00 AM", QDate(1965, 12, 8)},
        {"en_US", "12/08", QDate(thisYear, 12, 8)},
        {"en_US", "Dec 8", QDate(thisYear, 12, 8)},
        {"en_US", "Sometime", QDate()},
        {"en_US", "Foo 8 1965", QDate()},
        {"en_US", "", QDate()},
        // a numeric piece, a month name and a numeric piece are day, month, year in any order of
        // the user's format, and a four-digit piece in front is the year
        {"en_US", "8 Dec 1965", QDate(1965, 12, 8)},
        {"en_US", "1965 Dec 8", QDate(1965, 12, 8)},
        {"en_US", "1965-12-08", QDate(1965, 12, 8)},
        // no roll-over: a date that does not exist is no date
        {"en_US", "2/31/1999", QDate()},
        {"en_US", "13/01/1999", QDate()},
        {"en_US", "Feb 30 2001", QDate()},
        // two-digit years are widened around a pivot
        {"en_US", "3/4/09", QDate(2009, 3, 4)},
        {"en_US", "3/4/65", QDate(1965, 3, 4)},
        {"en_US", "3/4/00", QDate(2000, 3, 4)},
        // day-first formats, including those written with two-letter fields ("dd/MM/yyyy")
        {"en_GB", "12/08/1965", QDate(1965, 8, 12)},
        {"en_GB", "8 Dec 1965", QDate(1965, 12, 8)},
        {"en_GB", "12/08", QDate(thisYear, 8, 12)},
        {"de_DE", "12/08/1965", QDate(1965, 8, 12)},
        {"de_DE", "12-8-65", QDate(1965, 8, 12)},
        {"de_DE", "8 Dezember 1965", QDate(1965, 12, 8)},
        // year-first format
        {"ja_JP", "1965/12/08", QDate(1965, 12, 8)},
        {"ja_JP", "12/08", QDate(thisYear, 12, 8)},
    };
    for (const DateCase &c : cases) {
        useLocale(c.locale);
        EXPECT_EQ(zeltor::stringToDate(QString::fromUtf8(c.text)), c.expected)
            << c.locale << " '" << c.text << "'";
    }
}

TEST(StringToDecimal, RoundsToCentsHalvesToEven)
{
    struct Case
    {
        const char *text;
        std::optional<qint64> hundredths;
    };
    const Case cases[] = {
        {"2.345", 234},
        {"2.355", 236},
        {"2.3451", 235},
        {"-2.345", -234},
        {"  17", 1700},
        {"1.5e2", 15000},
        {"5e-3", 0},
        {"0.005000001", 1},
        {"12abc", 1200},
        {"abc", {}},
        {"", {}},
        {"1e-999999999", 0},
        {"99999999999999999999", {}},
        {"1e40", {}},
    };
    for (const Case &c : cases) {
        const std::optional<zeltor::Decimal> value = zeltor::stringToDecimal(c.text);
        ASSERT_EQ(value.has_value(), c.hundredths.has_value()) << c.text;
        if (value) {
            EXPECT_EQ(value->hundredths, *c.hundredths) << c.text;
        }
    }
    EXPECT_EQ(zeltor::Decimal{-50}.toString(), "-0.50");
    EXPECT_EQ(zeltor::Decimal{234}.toString(), "2.34");
}

class DecimalOverflow : public LogCaptureTest
{
};

TEST_F(DecimalOverflow, IsLoggedAndGivesNoNumber)
{
    setLevel(1);
    EXPECT_FALSE(zeltor::stringToDecimal("1e30").has_value());
    EXPECT_EQ(lines(), QStringList{"[NSString stringToDecimal] - number too large: 1e30"});
}

TEST(StringToDouble, ReadsTheLeadingNumberElseZero)
{
    EXPECT_EQ(zeltor::stringToDouble(" \t3.25kg"), 3.25);
    EXPECT_EQ(zeltor::stringToDouble("-1e3"), -1000.0);
    EXPECT_EQ(zeltor::stringToDouble("kg 3"), 0.0);
    EXPECT_EQ(zeltor::stringToDouble(""), 0.0);
    EXPECT_TRUE(std::isinf(zeltor::stringToDouble("1e999")));
    // the separator is the period whatever the user's locale says
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(zeltor::stringToDouble("1,5"), 1.0);
    QLocale::setDefault(QLocale::c());
}

TEST(RemoveBracket, StripsOnlyAMatchingPair)
{
    struct Case
    {
        const char *text;
        char opening;
        const char *expected;
    };
    const Case cases[] = {
        {"(home)", '(', "home"}, {"(home", '(', "(home"}, {"<a>", '<', "a"}, {"[x]", '[', "x"},
        {"{x}", '{', "x"},       {"\"q\"", '"', "q"},     {"(", '(', "("},   {"", '(', ""},
        {"()", '(', ""},         {"(x]", '(', "(x]"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(zeltor::removeBracket(c.text, QLatin1Char(c.opening)), c.expected) << c.text;
}

TEST(Rot13, RotatesAsciiLettersAndUndoesItself)
{
    EXPECT_EQ(zeltor::rot13("Hello"), "Uryyb");
    EXPECT_EQ(zeltor::rot13("Zz 09-é"), "Mm 09-é");
    EXPECT_EQ(zeltor::unrot13(zeltor::rot13("Hello, World!")), "Hello, World!");
}

TEST(CapitalizedString, UpperFirstLetterOfEachWord)
{
    EXPECT_EQ(zeltor::capitalizedString("sAN luis\tobispo"), "San Luis\tObispo");
    EXPECT_EQ(zeltor::capitalizedString("st. louis"), "St. Louis");
}

} // namespace
