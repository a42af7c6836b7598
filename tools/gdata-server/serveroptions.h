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

    // People face.
    // The most persons or groups one list page holds, whatever pageSize asks (0: pageSize rules).
    int peoplePageLimit = 0;
    // The status of a stale etag: 400 FAILED_PRECONDITION as the reference documents, or 412.
    int staleEtagStatus = 400;
    // Writes younger than this many milliseconds are not yet in lists, as a lagging index would.
    int listLagMs = 0;
    // How long a sync token serves, in seconds; tokens issued before syncTokensValidFromMs (the
    // control endpoint's "all sync tokens expired") are expired whatever their age.
    qint64 syncTokenLifetimeSeconds = 7 * 24 * 3600;
    qint64 syncTokensValidFromMs = 0;
    // Every mutating People request is answered this late, so requests sent side by side are
    // seen in flight together.
    int mutationDelayMs = 0;

    // Sign-in.
    // The authorization endpoint answers at once with its redirect instead of showing the page.
    bool autoConsent = false;
    // What that answer holds: the account signing in (empty: the login_hint), the scopes granted
    // (empty: every scope asked), or the person's refusal.
    QString consentAccount;
    QString consentScopes;
    bool consentDenied = false;
    // The lifetime of an access token, in seconds.
    int accessTokenLifetime = 3599;
    // Refresh token rotation: a refresh answers with a new refresh token and ends the old one, as
    // the token endpoint may.
    bool rotateRefreshTokens = false;

    void apply(const QJsonObject &changes);
};
