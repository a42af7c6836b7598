// A batch feed: each entry's operation (its own, the feed's, or insert) applied in turn, with one
// result entry per request entry carrying the batch identifier sent, the operation and a status.
#pragma once

#include "tools/gdata-server/entryoperations.h"
#include "tools/gdata-server/faultinjector.h"
#include "tools/gdata-server/http/httpmessage.h"

#include "platform/gdata/entries/gdatafeed.h"

class BatchProcessor
{
public:
    BatchProcessor(EntryOperations &operations, FaultInjector &faults, const ServerOptions &options,
                   const ServerUrls &urls)
        : m_operations(operations)
        , m_faults(faults)
        , m_options(options)
        , m_urls(urls)
    {}

    HttpResponse process(Account &account, Account::Collection collection,
                         const Projection &projection, const GDataFeed &request);

private:
    GDataEntryPtr processEntry(Account &account, Account::Collection collection,
                               const Projection &projection, const GDataEntryBase &entry,
                               const QString &operation);

    EntryOperations &m_operations;
    FaultInjector &m_faults;
    const ServerOptions &m_options;
    const ServerUrls &m_urls;
};
