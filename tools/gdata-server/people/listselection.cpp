#include "tools/gdata-server/people/listselection.h"

#include "tools/gdata-server/people/googleerror.h"

#include <QDateTime>

namespace {

constexpr int kMostPageSize = 1000;

} // namespace

std::optional<ListSelection> ListSelection::read(const QUrlQuery &query,
                                                 const ServerOptions &options, const QString &email,
                                                 const QString &kind, int defaultPageSize,
                                                 HttpResponse *refusal)
{
    ListSelection selection;
    bool ok = true;
    const QString sizeText = query.queryItemValue("pageSize");
    selection.m_pageSize = sizeText.isEmpty() ? 0 : sizeText.toInt(&ok);
    if (!ok || selection.m_pageSize < 0 || selection.m_pageSize > kMostPageSize) {
        *refusal = googleerror::error(400, QStringLiteral("pageSize must be between 1 and 1000."));
        return std::nullopt;
    }
    if (selection.m_pageSize == 0)
        selection.m_pageSize = defaultPageSize;
    if (options.peoplePageLimit > 0)
        selection.m_pageSize = qMin(selection.m_pageSize, options.peoplePageLimit);
    selection.m_email = email;
    selection.m_kind = kind;
    selection.m_nowMs = QDateTime::currentMSecsSinceEpoch();
    selection.m_lagMs = qMax(0, options.listLagMs);
    const auto page =
        listtokens::readPageToken(query.queryItemValue("pageToken"), selection.m_nowMs);
    if (!page) {
        *refusal = googleerror::error(400, QStringLiteral("Invalid pageToken."));
        return std::nullopt;
    }
    selection.m_page = *page;
    selection.m_wantsSyncToken = query.queryItemValue("requestSyncToken") == QLatin1String("true");
    const QString syncText = query.queryItemValue("syncToken");
    if (syncText.isEmpty())
        return selection;
    const auto sync = listtokens::readSyncToken(syncText, email, kind);
    if (!sync) {
        *refusal = googleerror::error(400, QStringLiteral("Invalid sync token."));
        return std::nullopt;
    }
    if (sync->issuedMs < selection.m_nowMs - options.syncTokenLifetimeSeconds * 1000 ||
        sync->issuedMs < options.syncTokensValidFromMs) {
        *refusal = googleerror::error(400,
                                      QStringLiteral("Sync token is expired. Clear local cache "
                                                     "and retry call without the sync token."),
                                      QStringLiteral("EXPIRED_SYNC_TOKEN"),
                                      QStringLiteral("FAILED_PRECONDITION"));
        return std::nullopt;
    }
    selection.m_sync = sync;
    return selection;
}

bool ListSelection::shows(const StoredEntry &stored) const
{
    const qint64 updated = stored.entry->updatedDate().toMSecsSinceEpoch();
    // Writes younger than the lag are not indexed yet, in either kind of list.
    if (m_lagMs > 0 && updated > m_page.startedMs - m_lagMs)
        return false;
    if (m_sync)
        return updated > m_sync->sinceMs;
    return !stored.entry->isDeleted();
}

void ListSelection::addTokens(QJsonObject &answer, size_t end, size_t total) const
{
    if (end < total) {
        answer.insert("nextPageToken", listtokens::pageToken({int(end), m_page.startedMs}));
        return;
    }
    // What the lag hid is reported by the next incremental list.
    if (m_sync || m_wantsSyncToken)
        answer.insert("nextSyncToken",
                      listtokens::syncToken(m_email, m_kind, m_page.startedMs - m_lagMs, m_nowMs));
}
