#include "tools/gdata-server/atom/batchprocessor.h"

#include "tools/gdata-server/entryrenderer.h"

#include "platform/gdata/atom/atomwriter.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"

#include <algorithm>

namespace {

GDataEntryPtr emptyEntry(Account::Collection collection)
{
    if (collection == Account::Collection::Contacts)
        return std::make_shared<GDataEntryContact>();
    return std::make_shared<GDataEntryContactGroup>();
}

QString localIdOf(const GDataEntryBase &entry, Account::Collection collection)
{
    QString localId = ServerUrls::localIdOf(entry.identifier(), collection);
    if (localId.isEmpty()) {
        if (const auto edit = entry.editLink())
            localId = ServerUrls::localIdOf(edit->href, collection);
    }
    return localId;
}

} // namespace

GDataEntryPtr BatchProcessor::processEntry(Account &account, Account::Collection collection,
                                           const Projection &projection,
                                           const GDataEntryBase &entry, const QString &operation)
{
    const QString localId = localIdOf(entry, collection);
    auto result = [&](const OperationResult &outcome) {
        GDataEntryPtr answer =
            outcome.stored && outcome.ok()
                ? renderEntry(m_urls, account, collection, projection, *outcome.stored)
                : emptyEntry(collection);
        if (!outcome.ok() && !localId.isEmpty())
            answer->setIdentifier(m_urls.identifier(account.email(), collection, localId));
        answer->setBatchStatus(
            GDataBatchStatus{unsigned(outcome.status), outcome.reason, outcome.message});
        return answer;
    };
    if (const auto fault =
            entry.batchID() ? m_faults.takeBatchEntryFault(*entry.batchID()) : std::nullopt)
        return result({fault->code, fault->reason, {}, nullptr});
    // A batch entry may carry its ETag; one without is taken as unconditional.
    const std::optional<QString> precondition = entry.ETag();
    if (operation == QLatin1String(kGDataBatchOperationInsert))
        return result(m_operations.insert(account, collection, projection, entry));
    if (localId.isEmpty())
        return result(failure(404, QStringLiteral("Entry not found.")));
    if (operation == QLatin1String(kGDataBatchOperationUpdate))
        return result(m_operations.update(account, collection, projection, localId, entry,
                                          precondition, false));
    if (operation == QLatin1String(kGDataBatchOperationDelete)) {
        const OperationResult outcome =
            m_operations.remove(account, collection, localId, precondition, false);
        GDataEntryPtr answer = emptyEntry(collection);
        answer->setIdentifier(m_urls.identifier(account.email(), collection, localId));
        answer->setBatchStatus(
            GDataBatchStatus{unsigned(outcome.status), outcome.reason, outcome.message});
        return answer;
    }
    if (operation == QLatin1String(kGDataBatchOperationQuery)) {
        StoredEntry *stored = account.find(collection, localId);
        if (!stored || stored->entry->isDeleted())
            return result(failure(404, QStringLiteral("Entry not found.")));
        return result({200, QStringLiteral("Success"), {}, stored});
    }
    return result(failure(400, QStringLiteral("Unknown batch operation: %1").arg(operation)));
}

HttpResponse BatchProcessor::process(Account &account, Account::Collection collection,
                                     const Projection &projection, const GDataFeed &request)
{
    const auto &entries = request.entries();
    std::optional<BatchInterruption> interruption = m_faults.takeBatchInterruption();
    if (entries.size() > size_t(kGDataMaxBatchEntries)) {
        if (!m_options.interruptOversizedBatch)
            return HttpResponse::text(400, QByteArray("A batch holds at most ") +
                                               QByteArray::number(kGDataMaxBatchEntries) +
                                               " operations.\n");
        interruption = BatchInterruption{kGDataMaxBatchEntries,
                                         QStringLiteral("Too many operations in the batch.")};
    }
    GDataFeed response(request.entryKind());
    response.setIdentifier(m_urls.feed(account.email(), collection, projection) + "/batch");
    response.setUpdatedDate(QDateTime::currentDateTimeUtc());
    response.setTitle(QStringLiteral("Batch Feed"));
    const QString defaultOperation =
        request.batchOperation().value_or(QLatin1String(kGDataBatchOperationInsert));
    int success = 0;
    int failures = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (interruption && int(i) >= interruption->after) {
            GDataEntryPtr stop = emptyEntry(collection);
            stop->setBatchInterrupted(GDataBatchInterrupted{interruption->reason, success, failures,
                                                            int(entries.size())});
            response.addEntry(stop);
            break;
        }
        const GDataEntryBase &entry = *entries[i];
        const QString operation = entry.batchOperation().value_or(defaultOperation);
        GDataEntryPtr answer = processEntry(account, collection, projection, entry, operation);
        answer->setBatchID(entry.batchID());
        answer->setBatchOperation(operation);
        (answer->batchStatus()->code < 300 ? success : failures) += 1;
        response.addEntry(answer);
    }
    if (m_options.reverseBatchResults) {
        auto reversed = response.entries();
        std::reverse(reversed.begin(), reversed.end());
        response.setEntriesWithEntries(reversed);
    }
    return HttpResponse::atom(200, atomwriter::feedXML(response));
}
