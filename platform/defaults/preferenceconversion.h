#pragma once

#include <QString>
#include <QVariant>

// How a stored preference reads as a number, a flag or a text, whatever type it was written as:
// a text reads as the number it starts with, and as true when it starts with "Y", "y", "T", "t"
// or a digit 1 to 9; a missing value reads as 0, false or the empty text.
namespace preferenceconversion {

// A boolean or a number of any width, as the old platform's number objects were.
bool isNumber(const QVariant &value);

int toInt(const QVariant &value);
qlonglong toLongLong(const QVariant &value);
double toDouble(const QVariant &value);
bool toBool(const QVariant &value);
QString toString(const QVariant &value);

// The leading-number rules alone, for texts that are not preferences.
qlonglong leadingInteger(const QString &text);
double leadingDouble(const QString &text);
bool leadingFlag(const QString &text);

} // namespace preferenceconversion
