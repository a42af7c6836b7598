// The write rules of an account: insert, update and delete of contacts and groups, shared by the
// single-entry calls and by batches. Extended properties follow the projection written through:
// thin leaves them alone, property-KEY replaces only KEY, full replaces them all.
#pragma once

#include "tools/gdata-server/serveroptions.h"
#include "tools/gdata-server/serverstate.h"
#include "tools/gdata-server/serverurls.h"

#include <optional>

struct OperationResult
{
    int status = 200;
    QString reason;
    QString message;
    StoredEntry *stored = nullptr;

    bool ok() const { return status < 300; }
};

class EntryOperations
{
public:
    EntryOperations(ServerState &state, const ServerOptions &options)
        : m_state(state)
        , m_options(options)
    {}

    OperationResult insert(Account &account, Account::Collection collection,
                           const Projection &projection, const GDataEntryBase &incoming);
    // precondition: the If-Match value or the entry's ETag; none refuses the write when
    // requirePrecondition is set.
    OperationResult update(Account &account, Account::Collection collection,
                           const Projection &projection, const QString &localId,
                           const GDataEntryBase &incoming,
                           const std::optional<QString> &precondition, bool requirePrecondition);
    OperationResult remove(Account &account, Account::Collection collection, const QString &localId,
                           const std::optional<QString> &precondition, bool requirePrecondition);

    // A live entry of that id, or the 404 / 403 that a write to it gets.
    OperationResult writable(Account &account, Account::Collection collection,
                             const QString &localId);
    OperationResult checkPrecondition(const QString &current,
                                      const std::optional<QString> &precondition,
                                      bool requirePrecondition) const;

private:
    OperationResult validate(Account &account, Account::Collection collection,
                             const GDataEntryBase &incoming) const;
    GDataEntryPtr storedForm(const GDataEntryBase &incoming) const;
    void stamp(GDataEntryBase &entry);

    ServerState &m_state;
    const ServerOptions &m_options;
};

OperationResult failure(int status, const QString &message);
