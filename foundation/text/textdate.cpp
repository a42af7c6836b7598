#include "foundation/text/textdate.h"

#include <QRegularExpression>

#include <cstdlib>
#include <ctime>

namespace textdate {

namespace {

constexpr qint64 kMSecsPerDay = 86400000;
constexpr qint64 kUnixEpochJulianDay = 2440588;

qint64 floorDivision(qint64 value, qint64 divisor)
{
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// Days from 1970-01-01 to a day of the proleptic Gregorian calendar, the year counted as the C
// library counts it (the year before 1 is 0, not -1 as a QDate has it).
qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2;
    const qint64 era = floorDivision(year, 400);
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The clock fields as seconds from 1970, as if they were UTC.
qint64 clockSeconds(const tm &fields)
{
    return daysFromCivil(qint64(fields.tm_year) + 1900, fields.tm_mon + 1, fields.tm_mday) * 86400 +
           fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
}

// The offset from UTC, in seconds, that a date in UTC takes on in local time: its local clock
// time less the instant that clock time reads back as, the way a local date works its offset
// out. Near an offset that changed without a change of daylight saving, a clock time can read
// back as the earlier of two instants, and the offset is that one's.
//
// One zone check per date, in the read back (without TZ, the C library looks at the zone file
// again there). The clock time is taken before it, in the zone as it stood at the last check,
// and again after it: where the zone changed in between, the new zone's clock time is read back.
int localOffsetOfInstant(qint64 msecsSinceEpoch)
{
    const time_t seconds = time_t(floorDivision(msecsSinceEpoch, 1000));
    tm clock{};
    if (!::localtime_r(&seconds, &clock))
        return 0;
    tm readBack = clock;
    time_t instant = ::mktime(&readBack);
    tm fresh{};
    if (!::localtime_r(&seconds, &fresh))
        return 0;
    if (clockSeconds(fresh) != clockSeconds(clock) || fresh.tm_isdst != clock.tm_isdst) {
        clock = fresh;
        readBack = fresh;
        instant = ::mktime(&readBack);
    }
    return int(clockSeconds(clock) - instant);
}

// A date in local time carries its clock time; its offset is that clock time less the instant
// it reads back as, and only that read back looks at the zone.
int localOffsetOfClock(const QDateTime &local, qint64 msecsSinceEpoch)
{
    const qint64 clock = (local.date().toJulianDay() - kUnixEpochJulianDay) * kMSecsPerDay +
                         local.time().msecsSinceStartOfDay();
    return int((clock - msecsSinceEpoch) / 1000);
}

} // namespace

QString format(const QDateTime &date)
{
    if (!date.isValid())
        return QStringLiteral("");
    const qint64 msecs = date.toMSecsSinceEpoch();
    // The offset is written in whole minutes; the clock time is taken from that same offset so
    // the text reads back as the instant it was written from, even in zones whose historical
    // offsets carry seconds.
    const int offsetMinutes = (date.timeSpec() == Qt::LocalTime ? localOffsetOfClock(date, msecs)
                                                                : localOffsetOfInstant(msecs)) /
                              60;
    const qint64 shown = msecs + qint64(offsetMinutes) * 60000;
    const QDate day =
        QDate::fromJulianDay(kUnixEpochJulianDay + floorDivision(shown, kMSecsPerDay));
    const int secondOfDay =
        int(floorDivision(shown, 1000) - floorDivision(shown, kMSecsPerDay) * 86400);
    const int hour = secondOfDay / 3600;
    const int minute = secondOfDay / 60 % 60;
    const int second = secondOfDay % 60;
    const int year = day.year();
    if (year < 0 || year > 9999)
        return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d %c%02d%02d", year, day.month(),
                                 day.day(), hour, minute, second, offsetMinutes < 0 ? '-' : '+',
                                 std::abs(offsetMinutes) / 60, std::abs(offsetMinutes) % 60);
    // Written digit by digit, never through the locale: ASCII digits, Gregorian year. Dates are
    // formatted for every contact of an upload, so this stays free of any formatting engine.
    char16_t text[25]; // "yyyy-MM-dd HH:mm:ss +hhmm"
    char16_t *out = text;
    const auto digits = [&out](int value, int width) {
        for (int place = width - 1; place >= 0; --place) {
            out[place] = char16_t(u'0' + value % 10);
            value /= 10;
        }
        out += width;
    };
    const auto put = [&out](char16_t c) {
        *out++ = c;
    };
    digits(year, 4);
    put(u'-');
    digits(day.month(), 2);
    put(u'-');
    digits(day.day(), 2);
    put(u' ');
    digits(hour, 2);
    put(u':');
    digits(minute, 2);
    put(u':');
    digits(second, 2);
    put(u' ');
    put(offsetMinutes < 0 ? u'-' : u'+');
    digits(std::abs(offsetMinutes) / 60, 2);
    digits(std::abs(offsetMinutes) % 60, 2);
    return QString(reinterpret_cast<const QChar *>(text), out - text);
}

QDateTime parse(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2}) ([0-9]{2}):([0-9]{2}):([0-9]{2}) "
                       "([+-])([0-9]{2}):?([0-9]{2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const auto field = [&match](int index) {
        return match.capturedView(index).toInt();
    };
    const QDate day(field(1), field(2), field(3));
    const QTime time(field(4), field(5), field(6));
    const int offsetHours = field(8);
    const int offsetMinutes = field(9);
    if (!day.isValid() || !time.isValid() || offsetHours > 23 || offsetMinutes > 59)
        return {};
    const int sign = match.capturedView(7) == u"-" ? -1 : 1;
    return QDateTime(day, time, Qt::OffsetFromUTC,
                     sign * (offsetHours * 3600 + offsetMinutes * 60));
}

} // namespace textdate
