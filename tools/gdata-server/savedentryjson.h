// Each stored entry as the state file holds it, a JSON object written as text, kept from one
// write of the file to the next: an account's entries change a few at a time, and writing all of
// them again for each write of a full account's state took most of it.
#pragma once

#include "tools/gdata-server/account.h"

#include <QByteArray>
#include <QHash>

class SavedEntryJson
{
public:
    // The entry's object, made again only when the entry, its photo or its People data changed
    // since the last write.
    QByteArray jsonOf(const StoredEntry &stored);
    // A write of the file is done: what it did not use is let go.
    void writeDone();

private:
    struct Kept
    {
        StoredEntry stored; // its entry held, so that a later one cannot take its place in memory
        std::optional<QString> etag;
        QByteArray json;

        bool isCurrentFor(const StoredEntry &other) const;
    };
    QHash<const GDataEntryBase *, Kept> m_previous;
    QHash<const GDataEntryBase *, Kept> m_current;
};
