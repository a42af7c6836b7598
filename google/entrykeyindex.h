// Positions of entries by a text key, so a lookup over tens of thousands of entries costs a hash
// probe instead of a pass over the list. Built on first use; answers in list order, exactly as a
// pass over the list testing the same keys would.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

template <typename Entry> class EntryKeyIndex
{
public:
    using Entries = std::vector<std::shared_ptr<Entry>>;
    // The keys an entry is found under; a key given twice counts once.
    using KeysOf = std::function<QStringList(const Entry &)>;

    explicit EntryKeyIndex(KeysOf keysOf)
        : m_keysOf(std::move(keysOf))
    {}

    void invalidate() { m_positions.reset(); }

    // The entries found under the key, in list order. A hit whose entry no longer carries the key
    // (it was changed in place after the index was built) rebuilds the index before answering.
    QList<std::shared_ptr<Entry>> entriesForKey(const Entries &entries, const QString &key)
    {
        if (!m_positions)
            build(entries);
        if (!stillCarryKey(entries, key))
            build(entries);
        QList<std::shared_ptr<Entry>> found;
        for (int position : m_positions->value(key))
            found.append(entries[size_t(position)]);
        return found;
    }

private:
    void build(const Entries &entries)
    {
        m_positions.emplace();
        m_positions->reserve(qsizetype(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            QStringList keys = m_keysOf(*entries[i]);
            keys.removeDuplicates();
            for (const QString &key : std::as_const(keys))
                (*m_positions)[key].append(int(i));
        }
    }

    bool stillCarryKey(const Entries &entries, const QString &key) const
    {
        for (int position : m_positions->value(key)) {
            if (size_t(position) >= entries.size() ||
                !m_keysOf(*entries[size_t(position)]).contains(key))
                return false;
        }
        return true;
    }

    KeysOf m_keysOf;
    std::optional<QHash<QString, QList<int>>> m_positions;
};
