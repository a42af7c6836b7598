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
    const int offsetMinutes = date.toLocalTime().offsetFromUtc() / 60;
    const QDateTime shown = date.toUTC().addSecs(offsetMinutes * 60);
    const QDate day = shown.date();
    const QTime time = shown.time();
    // QString::asprintf ignores the locale: ASCII digits, Gregorian year.
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d %c%02d%02d", day.year(), day.month(),
                             day.day(), time.hour(), time.minute(), time.second(),
                             offsetMinutes < 0 ? '-' : '+', std::abs(offsetMinutes) / 60,
                             std::abs(offsetMinutes) % 60);
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
