#include "google/batch/batchfeeds.h"

#include "google/upload/deletecommandtexts.h"
#include "platform/gdata/gdataconstants.h"

namespace batchfeeds {

QUrl batchURLOf(const GDataFeedPtr &feed)
{
    const std::optional<GDataLink> link = feed ? feed->batchLink() : std::nullopt;
    return link ? link->URL() : QUrl();
}

QString nextBatchID(unsigned &counter)
{
    return deletetexts::batchID.arg(++counter);
}

FeedCutter::FeedCutter(std::function<GDataFeedPtr()> makeFeed)
    : m_makeFeed(std::move(makeFeed))
{}

void FeedCutter::add(const GDataEntryPtr &entry)
{
    if (!m_feed)
        m_feed = m_makeFeed();
    m_feed->addEntry(entry);
    if (int(m_feed->entries().size()) == kGDataMaxBatchEntries)
        endFeed();
}

void FeedCutter::endFeed()
{
    if (m_feed)
        m_feeds.push_back(m_feed);
    m_feed.reset();
}

std::vector<GDataFeedPtr> FeedCutter::feeds()
{
    endFeed();
    return m_feeds;
}

std::vector<GDataFeedPtr> deleteFeeds(const std::vector<GDataEntryPtr> &entries, unsigned &counter,
                                      const std::function<GDataFeedPtr()> &makeFeed,
                                      const std::function<void(const GDataEntryPtr &)> &progress)
{
    FeedCutter cutter(makeFeed);
    for (const GDataEntryPtr &entry : entries) {
        progress(entry);
        const GDataEntryPtr sent = entry->copy();
        sent->setBatchOperation(QString::fromLatin1(kGDataBatchOperationDelete));
        sent->setBatchID(nextBatchID(counter));
        cutter.add(sent);
    }
    return cutter.feeds();
}

} // namespace batchfeeds
