// The log lines the lookups write when a key is held by several entries.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace lookuplog {

// "[GoogleContactTool op] message: key", at log level 1 or more.
void nonUnique(const QString &op, const QString &message, const QString &key);
// The same line followed by the entries found, as "[GoogleContactTool op] t = (...)".
void nonUniqueWithMatches(const QString &op, const QString &message, const QString &key,
                          const QStringList &matchDescriptions);

template <typename Entry> QStringList descriptions(const QList<std::shared_ptr<Entry>> &entries)
{
    QStringList texts;
    for (const auto &entry : entries)
        texts.append(entry->description());
    return texts;
}

} // namespace lookuplog
