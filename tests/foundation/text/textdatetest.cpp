#include "foundation/text/textdate.h"

#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

namespace {

// Runs each test in a time zone and a locale of its choosing and puts the process's own back.
class TextDate : public ::testing::Test
{
protected:
    void TearDown() override
    {
        setZone(m_savedZone);
        QLocale::setDefault(m_savedLocale);
        std::setlocale(LC_ALL, "C");
    }

    static void setZone(const QByteArray &zone)
    {
        if (zone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", zone);
        ::tzset();
    }

    static void setLocale(const char *name)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        qputenv("LC_ALL", QByteArray(name) + ".UTF-8");
        std::setlocale(LC_ALL, ""); // falls back to "C" where the locale is not installed
    }

private:
    QByteArray m_savedZone = qgetenv("TZ");
    QLocale m_savedLocale;
};

// 2009-03-14 22:09:26.789 UTC.
const QDateTime instant(QDate(2009, 3, 14), QTime(22, 9, 26, 789), Qt::UTC);

TEST_F(TextDate, Format_UsesTheCurrentZoneAndAsciiDigitsWhateverTheLocale)
{
    struct ZoneCase
    {
        const char *zone;
        const char *expected;
    };
    const ZoneCase zones[] = {
        {"America/Los_Angeles", "2009-03-14 15:09:26 -0700"},
        {"UTC", "2009-03-14 22:09:26 +0000"},
        {"Asia/Kolkata", "2009-03-15 03:39:26 +0530"},
        {"Asia/Kathmandu", "2009-03-15 03:54:26 +0545"},
        {"America/St_Johns", "2009-03-14 19:39:26 -0230"},
        {"Pacific/Chatham", "2009-03-15 11:54:26 +1345"},
    };
    const char *locales[] = {"en_US", "th_TH", "ar_EG", "fa_IR", "de_DE", "ja_JP"};
    for (const char *locale : locales) {
        setLocale(locale);
        for (const ZoneCase &z : zones) {
            SCOPED_TRACE(std::string(locale) + " " + z.zone);
            setZone(z.zone);
            EXPECT_EQ(textdate::format(instant), QString::fromLatin1(z.expected));
        }
    }
}

TEST_F(TextDate, Format_TakesTheZoneOffsetOfThatDate)
{
    setZone("Europe/Berlin");
    EXPECT_EQ(textdate::format(QDateTime(QDate(2009, 1, 10), QTime(12, 0), Qt::UTC)),
              "2009-01-10 13:00:00 +0100");
    EXPECT_EQ(textdate::format(QDateTime(QDate(2009, 7, 10), QTime(12, 0), Qt::UTC)),
              "2009-07-10 14:00:00 +0200");
}

TEST_F(TextDate, Format_WritesTheInstantWhateverZoneTheDateCarries)
{
    setZone("America/Los_Angeles");
    const struct
    {
        QDateTime date;
        const char *expected;
    } cases[] = {
        {instant.toLocalTime(), "2009-03-14 15:09:26 -0700"},
        {instant.toOffsetFromUtc(3 * 3600), "2009-03-14 15:09:26 -0700"},
        {instant.toTimeZone(QTimeZone("Asia/Tokyo")), "2009-03-14 15:09:26 -0700"},
        // The milliseconds are dropped towards the earlier second before 1970 as after it.
        {QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59, 500), Qt::UTC),
         "1969-12-31 15:59:59 -0800"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(textdate::format(c.date), QString::fromLatin1(c.expected));
    }
}

TEST_F(TextDate, Format_GivesEachInstantTheOffsetInForceAtIt)
{
    const auto utc = [](int y, int mo, int d, int h, int mi, int s, int ms) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
    };
    const struct
    {
        const char *zone;
        QDateTime date;
        const char *expected;
        bool heldAsLocalDate = false;
    } cases[] = {
        // Either side of the changes to and from daylight saving time.
        {"America/Los_Angeles", utc(2023, 3, 12, 9, 59, 59, 999), "2023-03-12 01:59:59 -0800"},
        {"America/Los_Angeles", utc(2023, 3, 12, 10, 0, 0, 0), "2023-03-12 03:00:00 -0700"},
        {"America/Los_Angeles", utc(2023, 11, 5, 8, 59, 59, 0), "2023-11-05 01:59:59 -0700"},
        {"America/Los_Angeles", utc(2023, 11, 5, 9, 0, 0, 0), "2023-11-05 01:00:00 -0800"},
        // The hour after the change back, held as a local date: same clock time, other offset.
        {"America/Los_Angeles", utc(2023, 11, 5, 8, 30, 0, 0), "2023-11-05 01:30:00 -0700", true},
        {"America/Los_Angeles", utc(2023, 11, 5, 9, 30, 0, 0), "2023-11-05 01:30:00 -0800", true},
        // Half an hour of daylight saving.
        {"Australia/Lord_Howe", utc(2023, 4, 1, 14, 59, 59, 0), "2023-04-02 01:59:59 +1100"},
        {"Australia/Lord_Howe", utc(2023, 4, 1, 15, 0, 0, 0), "2023-04-02 01:30:00 +1030"},
        // Before 1970: summer time all year, and the milliseconds dropped towards the earlier
        // second.
        {"Europe/London", utc(1969, 1, 15, 12, 0, 0, 0), "1969-01-15 13:00:00 +0100"},
        {"Europe/Berlin", utc(1969, 7, 1, 0, 0, 0, 1), "1969-07-01 01:00:00 +0100"},
        {"America/Los_Angeles", utc(1969, 7, 1, 6, 59, 59, 999), "1969-06-30 23:59:59 -0700"},
        // Offsets with seconds lose them towards zero, and the clock time follows the offset
        // written, not the zone's.
        {"Europe/Amsterdam", utc(1900, 1, 1, 0, 0, 0, 0), "1900-01-01 00:19:00 +0019"},
        {"America/Los_Angeles", utc(1883, 11, 18, 19, 59, 59, 0), "1883-11-18 12:07:59 -0752"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.expected);
        setZone(c.zone);
        const QDateTime date = c.heldAsLocalDate ? c.date.toLocalTime() : c.date;
        EXPECT_EQ(textdate::format(date), QString::fromLatin1(c.expected));
    }
}

TEST_F(TextDate, Format_FollowsAChangeOfZoneWhileTheProgramRuns)
{
    setZone("America/Los_Angeles");
    ASSERT_EQ(textdate::format(instant), "2009-03-14 15:09:26 -0700");
    // Nothing here tells the C library that the zone changed (Qt's own qputenv would): the
    // formatter has to look again.
    ::setenv("TZ", "Asia/Kolkata", 1);
    EXPECT_EQ(textdate::format(instant), "2009-03-15 03:39:26 +0530");
    ::setenv("TZ", "Europe/Berlin", 1);
    EXPECT_EQ(textdate::format(QDateTime::fromMSecsSinceEpoch(instant.toMSecsSinceEpoch())),
              "2009-03-14 23:09:26 +0100");
}

TEST_F(TextDate, Format_OfAnInvalidDateIsEmpty)
{
    EXPECT_EQ(textdate::format(QDateTime()), "");
}

TEST_F(TextDate, Parse_ReadsAnyOffsetAsTheSameInstant)
{
    setZone("Asia/Tokyo");
    const QDateTime expected(QDate(2009, 3, 14), QTime(22, 9, 26), Qt::UTC);
    const char *texts[] = {
        "2009-03-14 15:09:26 -0700",  "2009-03-14 22:09:26 +0000",    "2009-03-15 03:39:26 +0530",
        "2009-03-15 03:39:26 +05:30", " 2009-03-14 18:39:26 -0330\n",
    };
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        const QDateTime read = textdate::parse(QString::fromLatin1(text));
        ASSERT_TRUE(read.isValid());
        EXPECT_EQ(read.toUTC(), expected);
    }
    EXPECT_EQ(textdate::parse("2009-03-14 15:09:26 -0700").offsetFromUtc(), -7 * 3600);
}

TEST_F(TextDate, Parse_RefusesWhatIsNotSuchADate)
{
    const char *texts[] = {
        "",
        "2009-03-14 15:09:26",
        "2009-03-14T15:09:26 -0700",
        "2009-02-30 15:09:26 -0700",
        "2009-03-14 24:00:00 -0700",
        "2009-03-14 15:60:26 -0700",
        "2009-03-14 15:09:26 -0760",
        "09-03-14 15:09:26 -0700",
        "2009-03-14 15:09:26 -0700 extra",
        "Sat Mar 14 2009",
    };
    for (const char *text : texts)
        EXPECT_FALSE(textdate::parse(QString::fromLatin1(text)).isValid()) << text;
    // Digits of other scripts are not this format's digits.
    EXPECT_FALSE(textdate::parse(QString::fromUtf8("٢٠٠٩-03-14 15:09:26 -0700")).isValid());
}

TEST_F(TextDate, RoundTrip_KeepsTheInstantToTheSecond)
{
    setLocale("th_TH");
    const char *zones[] = {"America/Los_Angeles", "Asia/Kathmandu", "Europe/Amsterdam"};
    const QDateTime dates[] = {
        instant,
        QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), Qt::UTC),
        // Amsterdam kept an offset of 19 minutes 32 seconds then; the text has whole minutes.
        QDateTime(QDate(1920, 6, 1), QTime(12, 0, 5), Qt::UTC),
    };
    for (const char *zone : zones) {
        setZone(zone);
        for (const QDateTime &date : dates) {
            SCOPED_TRACE(std::string(zone) + " " + date.toString(Qt::ISODate).toStdString());
            const QDateTime read = textdate::parse(textdate::format(date));
            EXPECT_EQ(read.toSecsSinceEpoch(), date.toSecsSinceEpoch());
        }
    }
}

} // namespace
