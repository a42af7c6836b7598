// A contact or group feed: its entries, links, ETag, total count and feed-level batch operation.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <memory>

class GDataFeed;
using GDataFeedPtr = std::shared_ptr<GDataFeed>;

class GDataFeed
{
public:
    explicit GDataFeed(GDataEntryBase::Kind kind)
        : m_kind(kind)
    {}
    virtual ~GDataFeed() = default;

    GDataEntryBase::Kind entryKind() const { return m_kind; }

    const std::vector<GDataEntryPtr> &entries() const { return m_entries; }
    void setEntriesWithEntries(const std::vector<GDataEntryPtr> &entries) { m_entries = entries; }
    // Adds the entry itself: later changes to it show in the feed.
    void addEntry(const GDataEntryPtr &entry) { m_entries.push_back(entry); }
    // Adds a deep copy.
    void addEntryWithEntry(const GDataEntryBase &entry) { m_entries.push_back(entry.copy()); }

    const std::vector<GDataLink> &links() const { return m_links; }
    void setLinks(std::vector<GDataLink> links) { m_links = std::move(links); }
    std::optional<GDataLink> linkWithRel(const QString &rel) const;
    std::optional<GDataLink> batchLink() const;
    std::optional<GDataLink> postLink() const;
    std::optional<GDataLink> feedLink() const;
    std::optional<GDataLink> selfLink() const;
    std::optional<GDataLink> nextLink() const;

    std::optional<QString> ETag() const { return m_etag; }
    void setETag(const std::optional<QString> &etag) { m_etag = etag; }
    std::optional<QString> identifier() const { return m_identifier; }
    void setIdentifier(const std::optional<QString> &id) { m_identifier = id; }
    std::optional<QString> title() const { return m_title; }
    void setTitle(const std::optional<QString> &title) { m_title = title; }
    QDateTime updatedDate() const { return m_updated; }
    void setUpdatedDate(const QDateTime &date) { m_updated = date; }

    std::optional<int> totalResults() const { return m_totalResults; }
    void setTotalResults(const std::optional<int> &total) { m_totalResults = total; }
    std::optional<int> startIndex() const { return m_startIndex; }
    void setStartIndex(const std::optional<int> &index) { m_startIndex = index; }
    std::optional<int> itemsPerPage() const { return m_itemsPerPage; }
    void setItemsPerPage(const std::optional<int> &items) { m_itemsPerPage = items; }

    // The default operation of the entries that carry none of their own.
    std::optional<QString> batchOperation() const { return m_batchOperation; }
    void setBatchOperation(const std::optional<QString> &type) { m_batchOperation = type; }

    // A deep copy of the feed and of each entry.
    GDataFeedPtr copy() const;

private:
    GDataEntryBase::Kind m_kind;
    std::vector<GDataEntryPtr> m_entries;
    std::vector<GDataLink> m_links;
    std::optional<QString> m_etag;
    std::optional<QString> m_identifier;
    std::optional<QString> m_title;
    QDateTime m_updated;
    std::optional<int> m_totalResults;
    std::optional<int> m_startIndex;
    std::optional<int> m_itemsPerPage;
    std::optional<QString> m_batchOperation;
};
