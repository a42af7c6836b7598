// Positions of entries by a text key, so a lookup over tens of thousands of entries costs a hash
// probe instead of a pass over the list. Built on first use; answers in list order, exactly as a
// pass over the list testing the same key would.
//
// Keys names what is indexed: keys.forEach(entry, f) calls f with each key of the entry, and
// keys.has(entry, key) tells whether the entry carries the key now. Keys that depend on a setting
// read it in keys.prepare(), called before every build.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

template <typename Entry, typename Keys> class EntryKeyIndex
{
public:
    using EntryPtr = std::shared_ptr<Entry>;
    using Entries = std::vector<EntryPtr>;

    void invalidate()
    {
        m_built = false;
        m_chains.clear();
        m_slots.clear();
    }

    // The entries found under the key, in list order. A hit whose entry no longer carries the key
    // (it was changed in place after the index was built) rebuilds the index before answering.
    QList<EntryPtr> entriesForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        QList<EntryPtr> found = candidatesForKey(entries, key);
        for (const EntryPtr &entry : std::as_const(found)) {
            if (!m_keys.has(*entry, key)) {
                build(entries);
                return candidatesForKey(entries, key);
            }
        }
        return found;
    }

    // The same without testing the hits again, for a caller that tests every one itself.
    QList<EntryPtr> candidatesForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        QList<EntryPtr> found;
        const auto chain = m_chains.constFind(key);
        if (chain == m_chains.cend())
            return found;
        found.reserve(chain->count);
        for (int slot = chain->first; slot >= 0; slot = m_slots[size_t(slot)].next)
            found.append(entries[size_t(m_slots[size_t(slot)].position)]);
        return found;
    }

    // How many entries entriesForKey would answer, without listing them.
    int verifiedCountForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        const auto chain = m_chains.constFind(key);
        if (chain == m_chains.cend())
            return 0;
        for (int slot = chain->first; slot >= 0; slot = m_slots[size_t(slot)].next) {
            if (!m_keys.has(*entries[size_t(m_slots[size_t(slot)].position)], key)) {
                build(entries);
                return countForKey(entries, key);
            }
        }
        return chain->count;
    }

    // How many entries were found under the key when the index was built; cheap, so a caller can
    // choose the shorter of two lists before reading one.
    int countForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        const auto chain = m_chains.constFind(key);
        return chain == m_chains.cend() ? 0 : chain->count;
    }

private:
    // The positions of one key are a chain of slots, in list order.
    struct Slot
    {
        int position;
        int next;
    };
    struct Chain
    {
        int first;
        int last;
        int count;
    };

    void build(const Entries &entries)
    {
        m_chains.clear();
        m_slots.clear();
        if constexpr (requires { m_keys.prepare(); })
            m_keys.prepare();
        m_chains.reserve(qsizetype(entries.size()));
        m_slots.reserve(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const int position = int(i);
            m_keys.forEach(*entries[i], [&](const QString &key) { add(key, position); });
        }
        m_built = true;
    }

    void add(const QString &key, int position)
    {
        const int slot = int(m_slots.size());
        auto chain = m_chains.find(key);
        if (chain == m_chains.end()) {
            m_chains.insert(key, Chain{slot, slot, 1});
        } else {
            Slot &last = m_slots[size_t(chain->last)];
            if (last.position == position)
                return; // a key the entry carries twice counts once
            last.next = slot;
            chain->last = slot;
            ++chain->count;
        }
        m_slots.push_back(Slot{position, -1});
    }

    Keys m_keys;
    bool m_built = false;
    QHash<QString, Chain> m_chains;
    std::vector<Slot> m_slots;
};
