#pragma once

#include <QString>
#include <QVariant>

// The text form of one preference value, as it stands in a domain file. Every type the
// preferences hold (bool, integer, double, string, date, data, array, dictionary) reads back as
// the same type; dates keep their offset from UTC and their milliseconds.
namespace preferencevalue {

QString encode(const QVariant &value);
QVariant decode(const QString &text);

} // namespace preferencevalue
