#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <optional>

// Property lists (the restart lists, the backup archives' lists, the factory defaults), read and
// written by libplist. Values map to Qt's: dictionary QVariantMap, array QVariantList, string
// QString, integer qint64, real double, boolean bool, date QDateTime (UTC), data QByteArray.
// Every failure answers nullopt or false and says why in *error (which may be null), ready for a
// log line; nothing read from a file, however damaged, can crash the reader.
namespace propertylist {

// Reads an XML or binary property list. Refused: arrays and dictionaries nested more than 512
// levels deep, a binary list that makes more than 4,194,304 values (one object can be referenced
// many times), and the kinds of value that Tolvane does not read (keyed-archive references).
std::optional<QVariant> read(const QByteArray &data, QString *error);
std::optional<QVariant> readFile(const QString &path, QString *error);

// The value as an XML property list. A date keeps whole seconds (the format's own resolution)
// and must lie between 1933-12-13 and 2069-01-19; a text must not hold the character U+0000; an
// integer must fit in 64 signed bits.
std::optional<QByteArray> xmlData(const QVariant &value, QString *error);

// Writes the XML property list to a temporary file beside the target and renames it into place,
// so a failure at any step leaves the old file whole.
bool writeFile(const QString &path, const QVariant &value, QString *error);

} // namespace propertylist
