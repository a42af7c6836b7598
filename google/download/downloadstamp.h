// The as-of stamp a download leaves on a person it wrote, and what it tells the upload decisions.
#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"

#include <QDateTime>
#include <QString>

namespace downloadstamp {

// A download stamps the person's as-of link this far after the moment of its write.
inline constexpr int kAsOfAheadSeconds = 60;

// The link property that holds the modification date a download left on the person, to the
// millisecond: named after the as-of property, beside the four link properties.
QString ownWritePropertyName();

// Ends a download's writes to the person: the transfer stamp (the entry's update time as the
// version, and asOf), and the person's modification date as the download left it.
void writeStamp(const PersonPtr &person, const QDateTime &entryUpdated, const QDateTime &asOf);

// The person was written by a download from this very version of the contact and has not been
// changed since: it holds what the contact holds, and an upload would only send it back. Any
// edit after the download's last write, however soon, moves the modification date off the one
// the download recorded.
bool isUnchangedSinceDownload(const GDataEntryBase &contact, const PersonPtr &person);

} // namespace downloadstamp
