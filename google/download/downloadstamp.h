// The as-of stamp a download leaves on a person it wrote, and what it tells the upload decisions.
#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"

namespace downloadstamp {

// A download stamps the person's as-of link this far after the moment of its write.
inline constexpr int kAsOfAheadSeconds = 60;

// The person was written by a download from this very version of the contact and has not been
// changed since: it holds what the contact holds, and an upload would only send it back.
bool isUnchangedSinceDownload(const GDataEntryBase &contact, const PersonPtr &person);

} // namespace downloadstamp
