#include "google/engine/googlechangetracking.h"

#include "google/engine/googlekeys.h"
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

// A missing count reads as 0.
qsizetype storedCount(const QString &key)
{
    return UserDefaults::standard().integerForKey(key);
}

// A stored date differs from the current one, a missing current date included.
bool storedDateDiffers(const QString &key, const QDateTime &current)
{
    const QDateTime stored = UserDefaults::standard().dateForKey(key);
    return stored.isValid() && stored != current;
}

template <class Ptr> bool kindChanged(const std::vector<Ptr> &entries, const SnapshotKeys &keys)
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

bool hasModDateChangedSinceLast(const Groups &groups, const Contacts &contacts)
{
    if (storedDateDiffers(kGroupSnapshot.update, lastUpdateDate(groups)))
        return true;
    return storedDateDiffers(kContactSnapshot.update, lastUpdateDate(contacts));
}

bool hasCountChangedSinceLast(const Groups &groups, const Contacts &contacts)
{
    return qsizetype(groups.size()) != storedCount(kGroupSnapshot.count) ||
           qsizetype(contacts.size()) != storedCount(kContactSnapshot.count);
}

bool hasChangedSinceLast(const Groups &groups, const Contacts &contacts)
{
    return kindChanged(groups, kGroupSnapshot) || kindChanged(contacts, kContactSnapshot);
}

} // namespace googlechangetracking
