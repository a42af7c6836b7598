#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QDateTime>

#include <vector>

// Whether the Google side changed since the snapshot the programs store in the preferences, and
// which entries were inserted or changed after a date. An entry without any extended property
// was made outside the program, which gives every entry it writes one of its own.
namespace googlechangetracking {

// The entries updated strictly after the date.
template <class Ptr>
std::vector<Ptr> changedSince(const std::vector<Ptr> &entries, const QDateTime &date)
{
    std::vector<Ptr> changed;
    for (const Ptr &entry : entries) {
        if (entry->updatedDate() > date)
            changed.push_back(entry);
    }
    return changed;
}

// The entries made outside the program, or all of them when there are none.
template <class Ptr> std::vector<Ptr> madeOutsideOrAll(const std::vector<Ptr> &entries)
{
    std::vector<Ptr> outside;
    for (const Ptr &entry : entries) {
        if (entry->extendedProperties().empty())
            outside.push_back(entry);
    }
    return outside.empty() ? entries : outside;
}

// The entries made outside the program (all when there are none) updated strictly after the date.
template <class Ptr>
std::vector<Ptr> insertedSince(const std::vector<Ptr> &entries, const QDateTime &date)
{
    return changedSince(madeOutsideOrAll(entries), date);
}

// The newest updated date; invalid for an empty list.
template <class Ptr> QDateTime lastUpdateDate(const std::vector<Ptr> &entries)
{
    QDateTime newest;
    for (const Ptr &entry : entries) {
        const QDateTime date = entry->updatedDate();
        if (date.isValid() && (!newest.isValid() || date > newest))
            newest = date;
    }
    return newest;
}

// The newest updated date among the entries made outside the program (among all when there are
// none); invalid for an empty list.
template <class Ptr> QDateTime lastInsertDate(const std::vector<Ptr> &entries)
{
    return lastUpdateDate(madeOutsideOrAll(entries));
}

using Groups = std::vector<GDataEntryContactGroupPtr>;
using Contacts = std::vector<GDataEntryContactPtr>;

bool hasModDateChangedSinceLast(const Groups &groups, const Contacts &contacts);
bool hasCountChangedSinceLast(const Groups &groups, const Contacts &contacts);
bool hasChangedSinceLast(const Groups &groups, const Contacts &contacts);

} // namespace googlechangetracking
