// The entries of a feed sent as People calls: each with its operation, etag and resource name,
// and the status of an entry that cannot be sent at all (an unknown operation, an entry of the
// other kind, an update or delete of an entry that names no resource of its kind).
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

#include <QString>

#include <optional>
#include <vector>

struct PeopleBatchItem
{
    GDataEntryPtr sent;
    QString operation;
    QString resourceName;
    std::optional<QString> etag;
    GDataEntryPtr result;
    std::optional<GDataBatchStatus> status;
};

namespace peoplebatchitems {

inline const QString kNotFound = QStringLiteral("Entry not found.");

// prefix: the resource names of the kind ("people/", "contactGroups/"); notOfKind: the refusal of
// an entry of the other kind.
std::vector<PeopleBatchItem> sentItems(const GDataFeed &feed, const QString &api,
                                       GDataEntryBase::Kind kind, const char *prefix,
                                       const QString &notOfKind);

} // namespace peoplebatchitems
