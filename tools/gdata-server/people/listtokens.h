// The tokens of the People face's lists: a page token (where the next page starts, and when the
// list's first page was read) and a sync token (the account, the kind of list and the time after
// which an incremental list reports changes), each opaque to clients.
#pragma once

#include <QString>

#include <optional>

namespace listtokens {

struct Page
{
    int offset = 0;
    qint64 startedMs = 0; // the clock when the first page was read
};

QString pageToken(const Page &page);
// An empty text starts a list now; an unreadable one is none.
std::optional<Page> readPageToken(const QString &text, qint64 nowMs);

struct Sync
{
    qint64 sinceMs = 0;
    qint64 issuedMs = 0;
};

QString syncToken(const QString &email, const QString &kind, qint64 sinceMs, qint64 nowMs);
// None when unreadable, or made for another account or kind of list.
std::optional<Sync> readSyncToken(const QString &text, const QString &email, const QString &kind);

} // namespace listtokens
