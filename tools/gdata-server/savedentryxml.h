// The XML of each stored entry as the state file holds it, kept from one write of the file to the
// next: an account's entries change a few at a time, and writing all of them again for each write
// of a full account's state took most of it.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QByteArray>
#include <QHash>
#include <QString>

class SavedEntryXml
{
public:
    // The entry's XML, made again only when the entry changed since the last write. It is kept as
    // UTF-8, half the room of the text it is handed out as.
    QString xmlOf(const GDataEntryPtr &entry);
    // A write of the file is done: what it did not use is let go.
    void writeDone();

private:
    struct Kept
    {
        GDataEntryPtr entry; // held, so that a later entry cannot take its place in memory
        std::optional<QString> etag;
        QByteArray xml;
    };
    QHash<const GDataEntryBase *, Kept> m_previous;
    QHash<const GDataEntryBase *, Kept> m_current;
};
