#include "platform/gdata/entries/gdatafeed.h"

#include "platform/gdata/gdataconstants.h"

std::optional<GDataLink> GDataFeed::linkWithRel(const QString &rel) const
{
    for (const GDataLink &link : m_links) {
        if (link.rel == rel)
            return link;
    }
    return std::nullopt;
}

std::optional<GDataLink> GDataFeed::batchLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelBatch));
}

std::optional<GDataLink> GDataFeed::postLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelPost));
}

std::optional<GDataLink> GDataFeed::feedLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelFeed));
}

std::optional<GDataLink> GDataFeed::selfLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelSelf));
}

std::optional<GDataLink> GDataFeed::nextLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelNext));
}

GDataFeedPtr GDataFeed::copy() const
{
    auto feed = std::make_shared<GDataFeed>(*this);
    for (GDataEntryPtr &entry : feed->m_entries)
        entry = entry->copy();
    return feed;
}
