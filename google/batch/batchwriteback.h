#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"

#include <QDateTime>

// Writing what Google reports for a created entry into its address book record.
namespace batchwriteback {
// The entry's identifier; with stamp the transfer stamp too (version = the entry's updated date,
// as-of = now, the data mask preference), without it the three stamp properties are removed.
void writeContactLinks(const PersonPtr &person, const GDataEntryBase &entry, bool stamp,
                       const QDateTime &now = QDateTime::currentDateTime());
void writeGroupLinks(const GroupPtr &group, const GDataEntryBase &entry, bool stamp,
                     const QDateTime &now = QDateTime::currentDateTime());
} // namespace batchwriteback
