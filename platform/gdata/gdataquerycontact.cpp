#include "platform/gdata/gdataquerycontact.h"

#include <QUrlQuery>

GDataQueryContact GDataQueryContact::contactQueryWithFeedURL(const QUrl &feedURL)
{
    GDataQueryContact query;
    query.m_feedURL = feedURL;
    return query;
}

QUrl GDataQueryContact::URL() const
{
    QUrl url = m_feedURL;
    QUrlQuery items(url);
    if (m_showDeleted)
        items.addQueryItem(QStringLiteral("showdeleted"), QStringLiteral("true"));
    if (m_maxResults)
        items.addQueryItem(QStringLiteral("max-results"), QString::number(*m_maxResults));
    if (m_ascending)
        items.addQueryItem(QStringLiteral("sortorder"), *m_ascending
                                                            ? QStringLiteral("ascending")
                                                            : QStringLiteral("descending"));
    if (m_startIndex)
        items.addQueryItem(QStringLiteral("start-index"), QString::number(*m_startIndex));
    url.setQuery(items);
    return url;
}
