#include "google/googlechangetracking.h"

#include "google/googlekeys.h"
#include "platform/defaults/userdefaults.h"

namespace googlechangetracking {

namespace {

// The snapshot of one kind of entry.
struct SnapshotKeys
{
    const QString &count;
    const QString &update;
    const QString &insert;
};

const SnapshotKeys kGroupSnapshot{googlekeys::lastGoogleGroupCount,
                                  googlekeys::lastGoogleGroupUpdate,
                                  googlekeys::lastGoogleGroupInsert};
const SnapshotKeys kContactSnapshot{googlekeys::lastGoogleContactCount,
                                    googlekeys::lastGoogleContactUpdate,
                                    googlekeys::lastGoogleContactInsert};

Entries madeOutsideOrAll(const Entries &entries)
{
    Entries outside;
    for (const GDataEntryPtr &entry : entries) {
        if (entry->extendedProperties().empty())
            outside.push_back(entry);
    }
    return outside.empty() ? entries : outside;
}

// A missing count reads as 0.
qsizetype storedCount(const QString &key)
{
    return UserDefaults::standard().integerForKey(key);
}

QDateTime storedDate(const QString &key)
{
    return UserDefaults::standard().dateForKey(key);
}

// A stored date differs from the current one, a missing current date included.
bool storedDateDiffers(const QString &key, const QDateTime &current)
{
    const QDateTime stored = storedDate(key);
    return stored.isValid() && stored != current;
}

bool kindChanged(const Entries &entries, const SnapshotKeys &keys)
{
    const qsizetype count = qsizetype(entries.size());
    const qsizetype stored = storedCount(keys.count);
    if (count == 0)
        return stored != 0;
    // A snapshot without a count says nothing about a list that is not empty.
    return (stored != 0 && stored != count) ||
           storedDateDiffers(keys.update, lastUpdateDate(entries)) ||
           storedDateDiffers(keys.insert, lastInsertDate(entries));
}

} // namespace

Entries insertedSince(const Entries &entries, const QDateTime &date)
{
    return changedSince(madeOutsideOrAll(entries), date);
}

Entries changedSince(const Entries &entries, const QDateTime &date)
{
    Entries changed;
    for (const GDataEntryPtr &entry : entries) {
        if (entry->updatedDate() > date)
            changed.push_back(entry);
    }
    return changed;
}

QDateTime lastInsertDate(const Entries &entries)
{
    return lastUpdateDate(madeOutsideOrAll(entries));
}

QDateTime lastUpdateDate(const Entries &entries)
{
    QDateTime newest;
    for (const GDataEntryPtr &entry : entries) {
        const QDateTime date = entry->updatedDate();
        if (date.isValid() && (!newest.isValid() || date > newest))
            newest = date;
    }
    return newest;
}

bool hasModDateChangedSinceLast(const Entries &groups, const Entries &contacts)
{
    if (storedDateDiffers(kGroupSnapshot.update, lastUpdateDate(groups)))
        return true;
    return storedDateDiffers(kContactSnapshot.update, lastUpdateDate(contacts));
}

bool hasCountChangedSinceLast(const Entries &groups, const Entries &contacts)
{
    return qsizetype(groups.size()) != storedCount(kGroupSnapshot.count) ||
           qsizetype(contacts.size()) != storedCount(kContactSnapshot.count);
}

bool hasChangedSinceLast(const Entries &groups, const Entries &contacts)
{
    return kindChanged(groups, kGroupSnapshot) || kindChanged(contacts, kContactSnapshot);
}

} // namespace googlechangetracking
