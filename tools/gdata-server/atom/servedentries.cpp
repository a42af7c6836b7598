#include "tools/gdata-server/atom/servedentries.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "tools/gdata-server/entryrenderer.h"

namespace {

constexpr QByteArrayView kFeedEnd = "</feed>";

// An entry written on its own starts with the XML declaration, which has no place inside a feed.
QByteArray withoutDeclaration(QByteArray xml)
{
    if (xml.startsWith("<?xml")) {
        const qsizetype end = xml.indexOf("?>");
        if (end >= 0)
            xml.remove(0, end + 2);
    }
    return xml;
}

} // namespace

bool ServedEntries::Served::isCurrentFor(const StoredEntry &stored) const
{
    // A write replaces the stored entry; the ETag guards against one changed in place.
    return entry && entry == stored.entry && etag == stored.entry->ETag() &&
           hasPhoto == !stored.photo.data.isEmpty() && photoETag == stored.photo.etag;
}

QByteArray ServedEntries::entryXML(const QString &scope, const ServerUrls &urls,
                                   const Account &account, Account::Collection collection,
                                   const Projection &projection, const StoredEntry &stored)
{
    Served &served = m_served[scope + stored.localId];
    if (!served.isCurrentFor(stored)) {
        served = {stored.entry, stored.entry->ETag(), stored.photo.etag,
                  !stored.photo.data.isEmpty(),
                  withoutDeclaration(atomwriter::entryXML(
                      *renderEntry(urls, account, collection, projection, stored)))};
    }
    return served.xml;
}

QByteArray ServedEntries::feedXML(const GDataFeed &feed, const ServerUrls &urls,
                                  const Account &account, Account::Collection collection,
                                  const Projection &projection,
                                  const std::vector<const StoredEntry *> &entries)
{
    QByteArray xml = atomwriter::feedXML(feed);
    if (xml.endsWith("/>")) {
        xml.chop(2);
        xml += '>';
    } else {
        xml.chop(kFeedEnd.size());
    }
    // Everything an entry's XML depends on besides the entry and its photo.
    const QString scope = account.email() + u'\n' + QString::number(int(collection)) + u'\n' +
                          projection.segment() + u'\n' + urls.base() + u'\n' + urls.idBase() +
                          u'\n';
    std::vector<QByteArray> parts;
    parts.reserve(entries.size());
    qsizetype size = xml.size() + kFeedEnd.size();
    for (const StoredEntry *stored : entries) {
        parts.push_back(entryXML(scope, urls, account, collection, projection, *stored));
        size += parts.back().size();
    }
    xml.reserve(size);
    for (const QByteArray &part : parts)
        xml += part;
    xml += kFeedEnd;
    return xml;
}
