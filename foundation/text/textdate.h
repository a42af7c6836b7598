#pragma once

#include <QDateTime>
#include <QString>

// Dates kept as text in properties, notes, extended properties and preferences:
// "yyyy-MM-dd HH:mm:ss Z", for example "2009-03-14 15:09:26 -0700". The text is always in ASCII
// digits of the Gregorian calendar, whatever the user's locale, because other programs and later
// runs read it back.
namespace textdate {

inline constexpr char kFormat[] = "yyyy-MM-dd HH:mm:ss Z";

// The date in the user's current time zone, with that zone's offset at that date. Milliseconds
// are dropped. An invalid date gives "".
QString format(const QDateTime &date);

// Reads any offset ("-0700", and "+05:30" as well); white space around the text is ignored. The
// result carries the offset it was written with. A text that is not such a date gives an invalid
// date.
QDateTime parse(const QString &text);

} // namespace textdate
