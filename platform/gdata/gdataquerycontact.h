// A feed query: the feed URL with the parameters the engine sets.
#pragma once

#include <QUrl>

#include <optional>

class GDataQueryContact
{
public:
    static GDataQueryContact contactQueryWithFeedURL(const QUrl &feedURL);

    QUrl feedURL() const { return m_feedURL; }
    void setShouldShowDeleted(bool show) { m_showDeleted = show; }
    bool shouldShowDeleted() const { return m_showDeleted; }
    void setMaxResults(int max) { m_maxResults = max; }
    void setIsAscendingOrder(bool ascending) { m_ascending = ascending; }
    void setStartIndex(int index) { m_startIndex = index; }

    // The feed URL with showdeleted, max-results, sortorder and start-index as set.
    QUrl URL() const;

private:
    QUrl m_feedURL;
    bool m_showDeleted = false;
    std::optional<int> m_maxResults;
    std::optional<bool> m_ascending;
    std::optional<int> m_startIndex;
};
