#include "foundation/text/textdate.h"

#include <QRegularExpression>

#include <cstdlib>

namespace textdate {

QString format(const QDateTime &date)
{
    if (!date.isValid())
        return QStringLiteral("");
    // The offset is written in whole minutes; the clock time is taken from that same offset so
    // the text reads back as the instant it was written from, even in zones whose historical
    // offsets carry seconds.
    const QDateTime local = date.timeSpec() == Qt::LocalTime ? date : date.toLocalTime();
    const int offsetMinutes = local.offsetFromUtc() / 60;
    const QDateTime shown = QDateTime::fromMSecsSinceEpoch(
        date.toMSecsSinceEpoch() + qint64(offsetMinutes) * 60000, Qt::UTC);
    const QDate day = shown.date();
    const QTime time = shown.time();
    const int year = day.year();
    if (year < 0 || year > 9999)
        return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d %c%02d%02d", year, day.month(),
                                 day.day(), time.hour(), time.minute(), time.second(),
                                 offsetMinutes < 0 ? '-' : '+', std::abs(offsetMinutes) / 60,
                                 std::abs(offsetMinutes) % 60);
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
    digits(time.hour(), 2);
    put(u':');
    digits(time.minute(), 2);
    put(u':');
    digits(time.second(), 2);
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
