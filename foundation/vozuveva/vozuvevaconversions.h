#pragma once

#include <QString>

// Small conversions of the toolkit. Decimal numbers are decimal texts ("2.345", "-1e3"); the
// decimal operations round half to even at two places. Input they cannot take (not a number, not
// finite, beyond the float range) gives a neutral value, "0" or 0, and a log line, never a crash.
namespace VozuVeva {

float decimalToFloat(const QString &decimal);
QString floatToDecimal(float value);
QString decimalToString(const QString &decimal);
float doubleToFloat(double value);
double floatToDouble(float value);
QString doubleToString(double value);

// The sign of a birth date; a null text for a month outside 1 to 12 or a day outside 1 to 31
// (the day is not checked against the month's length).
QString astrologicalSignFromMonth(int month, int day);

} // namespace VozuVeva
