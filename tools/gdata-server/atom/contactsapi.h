// The data API: ClientLogin sign-in, then contact and group feeds, entries, batches and photos of
// the signed-in account.
#pragma once

#include "tools/gdata-server/atom/batchprocessor.h"
#include "tools/gdata-server/atom/photohandler.h"
#include "tools/gdata-server/atom/servedentries.h"
#include "tools/gdata-server/entryoperations.h"
#include "tools/gdata-server/faultinjector.h"
#include "tools/gdata-server/http/httpmessage.h"

class ContactsApi
{
public:
    ContactsApi(ServerState &state, const ServerOptions &options, FaultInjector &faults,
                const ServerUrls &urls);

    HttpResponse handle(const HttpRequest &request);

private:
    HttpResponse clientLogin(const HttpRequest &request);
    HttpResponse getFeed(const HttpRequest &request, Account &account, const FeedRoute &route);
    HttpResponse getEntry(Account &account, const FeedRoute &route);
    HttpResponse insert(const HttpRequest &request, Account &account, const FeedRoute &route);
    HttpResponse update(const HttpRequest &request, Account &account, const FeedRoute &route);
    HttpResponse remove(const HttpRequest &request, Account &account, const FeedRoute &route);
    HttpResponse batch(const HttpRequest &request, Account &account, const FeedRoute &route);
    HttpResponse entryResponse(int status, Account &account, const FeedRoute &route,
                               const StoredEntry &stored) const;

    ServerState &m_state;
    const ServerOptions &m_options;
    FaultInjector &m_faults;
    const ServerUrls &m_urls;
    EntryOperations m_operations;
    BatchProcessor m_batches;
    PhotoHandler m_photos;
    ServedEntries m_served;
};
