#pragma once

#include "platform/gdata/entries/gdatafeed.h"

#include <QUrl>

#include <functional>
#include <vector>

// Building the feeds of a batch send: the batch link they go to, and entries cut into feeds that
// Google takes (at most kGDataMaxBatchEntries each).
namespace batchfeeds {

// The feed's batch link; empty when the feed was never fetched, so the tickets fail and the send
// ends as failed.
QUrl batchURLOf(const GDataFeedPtr &feed);

// "batchID_%u" with the counter's next number: each batch operation numbers its entries with a
// counter of its own, from 1, for the life of the program.
QString nextBatchID(unsigned &counter);

// Entries in feeds of at most kGDataMaxBatchEntries, a new feed opened by makeFeed as needed.
class FeedCutter
{
public:
    explicit FeedCutter(std::function<GDataFeedPtr()> makeFeed);
    void add(const GDataEntryPtr &entry);
    // The next entry opens a new feed.
    void endFeed();
    // Every feed that holds an entry, in order.
    std::vector<GDataFeedPtr> feeds();

private:
    std::function<GDataFeedPtr()> m_makeFeed;
    GDataFeedPtr m_feed;
    std::vector<GDataFeedPtr> m_feeds;
};

// The entries as delete entries (copies: the held entries stay as Google has them), each with the
// next "batchID_%u" of the counter, cut into feeds. progress gets each entry before it joins its
// feed.
std::vector<GDataFeedPtr> deleteFeeds(const std::vector<GDataEntryPtr> &entries, unsigned &counter,
                                      const std::function<GDataFeedPtr()> &makeFeed,
                                      const std::function<void(const GDataEntryPtr &)> &progress);

} // namespace batchfeeds
