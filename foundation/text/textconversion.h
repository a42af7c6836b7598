#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Conversions of typed text into dates and numbers, and two small letter games.
namespace zeltor {

// A birthday as a person types it: in the user's own day-month order (the default locale's short
// date format), with month names or numbers, with or without a year. Null when the text names no
// real calendar date.
QDate stringToDate(const QString &text);

// A decimal amount kept exactly, to the cent.
struct Decimal
{
    qint64 hundredths = 0;

    QString toString() const; // "2.34", "-0.50"
};

// The text read as a decimal number (period as separator), rounded to 2 places, halves to even.
// Nothing when the text is not a number or the amount does not fit; the overflow is logged.
std::optional<Decimal> stringToDecimal(const QString &text);

// The number the text starts with (leading white space skipped), 0 when it starts with none.
double stringToDouble(const QString &text);

// The text between an opening character and its partner when the text starts and ends with them.
QString removeBracket(const QString &text, QChar opening);

QString rot13(const QString &text);
QString unrot13(const QString &text);

// First letter of each word upper case, the rest lower case.
QString capitalizedString(const QString &text);

} // namespace zeltor
