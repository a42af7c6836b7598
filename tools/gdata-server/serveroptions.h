// How the server answers where the real service varied or where a test needs another answer.
#pragma once

#include <QJsonObject>

struct ServerOptions
{
    // The most entries one feed response holds, whatever max-results asks.
    int pageSize = 1500;
    // Batch results in reverse request order, as the real service sometimes answered.
    bool reverseBatchResults = false;
    // Over 100 operations: refuse the whole batch (400), or process 100 and report interrupted.
    bool interruptOversizedBatch = false;
    // The status of a stale ETag: 412, or 409 as some answers had it.
    int conflictStatus = 412;
    // Whether a photo change bumps the contact's updated date and ETag.
    bool photoBumpsUpdated = false;
    // The largest photo accepted, in bytes.
    int photoSizeLimit = 1024 * 1024;
    // From this start index on (0: never), a feed page's next link points back at the page
    // itself, as a broken paging of the service would.
    int nextLinkLoopsFrom = 0;
    // The next link of a paged feed leads to a page that does not exist, as a proxy that mangled
    // it would: the client must not take the first page for the whole feed.
    bool brokenNextLink = false;

    void apply(const QJsonObject &changes);
};
