#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// What the contact and group accessors share: the program's extended property of an entry, the
// record identifier and creation date kept in it, and the mark of a deleted entry.
namespace entrybase {

// The one extended property of that name; nothing when there is none or several.
std::optional<GDataExtendedProperty> programProperty(const GDataEntryBase &entry,
                                                     const QString &name);
// The same property read in place, for passes over every entry; null when there is none or
// several.
const GDataExtendedProperty *programPropertyIn(const GDataEntryBase &entry, const QString &name);
std::optional<QHash<QString, QString>> programPropertyValues(const GDataEntryBase &entry,
                                                             const QString &name);

// aID of the program's property, else "".
QString recordID(const GDataEntryBase &entry, const QString &name);

// crD of the program's property read as a text date (invalid when it cannot be read); the
// entry's updated date when there is no crD.
QDateTime createDate(const GDataEntryBase &entry, const QString &name);

// U+2717, a blank and the entry's identifier.
QString deletedEntryMark(const GDataEntryBase &entry);

} // namespace entrybase
