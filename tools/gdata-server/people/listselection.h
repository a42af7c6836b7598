// What a People list holds: a full list shows the live entries old enough to be indexed (list lag);
// an incremental one (a sync token) every entry changed since the token, tombstones included.
// Shared by the connections and the contact group lists.
#pragma once

#include "tools/gdata-server/account.h"
#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/people/listtokens.h"
#include "tools/gdata-server/serveroptions.h"

#include <QJsonObject>
#include <QUrlQuery>

#include <optional>

class ListSelection
{
public:
    // The request's page size, page and sync tokens read, or the 400 they get (an expired sync
    // token with the reason EXPIRED_SYNC_TOKEN). defaultPageSize: the size of a page when the
    // request names none.
    static std::optional<ListSelection> read(const QUrlQuery &query, const ServerOptions &options,
                                             const QString &email, const QString &kind,
                                             int defaultPageSize, HttpResponse *refusal);

    // As asked, within the server's page limit option.
    int pageSize() const { return m_pageSize; }
    bool incremental() const { return m_sync.has_value(); }
    int offset() const { return m_page.offset; }
    bool shows(const StoredEntry &stored) const;
    // nextPageToken while entries remain after end; on the last page, nextSyncToken when the
    // list is incremental or one was asked for.
    void addTokens(QJsonObject &answer, size_t end, size_t total) const;

private:
    ListSelection() = default;

    int m_pageSize = 0;
    listtokens::Page m_page;
    std::optional<listtokens::Sync> m_sync;
    bool m_wantsSyncToken = false;
    QString m_email;
    QString m_kind;
    qint64 m_nowMs = 0;
    qint64 m_lagMs = 0;
};
