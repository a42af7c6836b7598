// The log lines the lookups write when a key is held by several entries.
#pragma once

#include <QString>
#include <QStringList>

namespace lookuplog {

// "[GoogleContactTool op] message: key", at log level 1 or more.
void nonUnique(const QString &op, const QString &message, const QString &key);
// The same line followed by the entries found, as "[GoogleContactTool op] t = (...)".
void nonUniqueWithMatches(const QString &op, const QString &message, const QString &key,
                          const QStringList &matchDescriptions);

// The descriptions of the entries of a list of shared entries.
template <typename Entries> QStringList descriptions(const Entries &entries)
{
    QStringList texts;
    for (const auto &entry : entries)
        texts.append(entry->description());
    return texts;
}

} // namespace lookuplog
