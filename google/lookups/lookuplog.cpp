#include "google/lookups/lookuplog.h"

#include "foundation/log.h"
#include "google/lookups/lookuptexts.h"

namespace lookuplog {

void nonUnique(const QString &op, const QString &message, const QString &key)
{
    tlog::labelled(lookuptexts::engineClass, op, message, key);
}

void nonUniqueWithMatches(const QString &op, const QString &message, const QString &key,
                          const QStringList &matchDescriptions)
{
    nonUnique(op, message, key);
    tlog::value(lookuptexts::engineClass, op, lookuptexts::matchesName,
                tlog::describe(QVariant(matchDescriptions)));
}

} // namespace lookuplog
