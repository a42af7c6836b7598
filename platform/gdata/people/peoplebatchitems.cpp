#include "platform/gdata/people/peoplebatchitems.h"

#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peoplereader.h"

namespace peoplebatchitems {

std::vector<PeopleBatchItem> sentItems(const GDataFeed &feed, const QString &api,
                                       GDataEntryBase::Kind kind, const char *prefix,
                                       const QString &notOfKind)
{
    const QString defaultOperation =
        feed.batchOperation().value_or(QString::fromLatin1(kGDataBatchOperationInsert));
    std::vector<PeopleBatchItem> items;
    for (const GDataEntryPtr &entry : feed.entries()) {
        PeopleBatchItem item;
        item.sent = entry;
        item.operation = entry->batchOperation().value_or(defaultOperation);
        item.etag = entry->ETag();
        item.resourceName =
            peoplereader::resourceNameForIdentifier(api, entry->identifier()).value_or(QString());
        if (!item.resourceName.startsWith(QLatin1String(prefix)))
            item.resourceName.clear();
        const bool insert = item.operation == QLatin1String(kGDataBatchOperationInsert);
        const bool known = insert || item.operation == QLatin1String(kGDataBatchOperationUpdate) ||
                           item.operation == QLatin1String(kGDataBatchOperationDelete);
        if (!known)
            item.status = {
                400, QStringLiteral("Unknown batch operation: %1").arg(item.operation), {}};
        else if (entry->kind() != kind)
            item.status = {400, notOfKind, {}};
        else if (!insert && item.resourceName.isEmpty())
            item.status = {404, kNotFound, {}};
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace peoplebatchitems
