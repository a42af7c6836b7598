#pragma once

#include "platform/gdata/gdataentrybase.h"

#include <QDateTime>

#include <vector>

// Whether the Google side changed since the snapshot the programs store in the preferences, and
// which entries were inserted or changed after a date. An entry without any extended property
// was made outside the program, which gives every entry it writes one of its own.
namespace googlechangetracking {

using Entries = std::vector<GDataEntryPtr>;

// The entries made outside the program, or all entries when there are none, updated strictly
// after the date.
Entries insertedSince(const Entries &entries, const QDateTime &date);
// The entries updated strictly after the date.
Entries changedSince(const Entries &entries, const QDateTime &date);
// The newest updated date among the entries made outside the program (among all when there are
// none); invalid for an empty list.
QDateTime lastInsertDate(const Entries &entries);
// The newest updated date; invalid for an empty list.
QDateTime lastUpdateDate(const Entries &entries);

bool hasModDateChangedSinceLast(const Entries &groups, const Entries &contacts);
bool hasCountChangedSinceLast(const Entries &groups, const Entries &contacts);
bool hasChangedSinceLast(const Entries &groups, const Entries &contacts);

} // namespace googlechangetracking
