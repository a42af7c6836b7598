// Feed pages made from entries written once: an account's entries change a few at a time, and
// writing all of them again for every page of every fetch cost more than anything else the
// server did. An entry's XML is kept with what it was made from (the stored entry, its photo, the
// projection and addresses it was served through) and made again when any of them differs.
#pragma once

#include "tools/gdata-server/serverurls.h"

#include <QByteArray>
#include <QHash>

#include <vector>

class GDataFeed;

class ServedEntries
{
public:
    // The feed's XML with the entries rendered through the projection after the feed's own
    // elements; the feed itself holds no entries.
    QByteArray feedXML(const GDataFeed &feed, const ServerUrls &urls, const Account &account,
                       Account::Collection collection, const Projection &projection,
                       const std::vector<const StoredEntry *> &entries);

private:
    struct Served
    {
        GDataEntryPtr entry; // held, so that a later entry cannot take its place in memory
        std::optional<QString> etag;
        QString photoETag;
        bool hasPhoto = false;
        QByteArray xml;

        bool isCurrentFor(const StoredEntry &stored) const;
    };
    QByteArray entryXML(const QString &scope, const ServerUrls &urls, const Account &account,
                        Account::Collection collection, const Projection &projection,
                        const StoredEntry &stored);

    QHash<QString, Served> m_served;
};
