// Positions of entries by a text key, so a lookup over tens of thousands of entries costs a hash
// probe instead of a pass over the list. Built on first use; answers in list order, exactly as a
// pass over the list testing the same key would.
//
// Keys names what is indexed: keys.forEach(entry, f) calls f with each key of the entry, and
// keys.has(entry, key) tells whether the entry carries the key now. Keys that depend on a setting
// read it in keys.prepare(), called before every build. Keys that compare other than exactly give
// Keys::hash(key) and Keys::equal(a, b), which must agree.
//
// A lookup runs once per contact in a full pass, so it allocates nothing but its answer: the
// table is open addressing over flat arrays, and each bucket holds the key's hash, so a probe
// reads a stored key only when the hashes match.
#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <bit>
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
        m_buckets.clear();
        m_chains.clear();
        m_slots.clear();
    }

    // The entries found under the key, in list order, appended to a new Found (a container of
    // EntryPtr with append). A hit whose entry no longer carries the key (it was changed in place
    // after the index was built) rebuilds the index before answering.
    template <typename Found> Found entriesForKey(const Entries &entries, const QString &key)
    {
        const Chain *chain = verifiedChain(entries, key);
        return collect<Found>(entries, chain);
    }

    // The same without testing the hits again, for a caller that tests every one itself.
    template <typename Found> Found candidatesForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        return collect<Found>(entries, find(key));
    }

    // How many entries entriesForKey would answer, without listing them.
    int verifiedCountForKey(const Entries &entries, const QString &key)
    {
        const Chain *chain = verifiedChain(entries, key);
        return chain ? chain->count : 0;
    }

    // How many entries were found under the key when the index was built; cheap, so a caller can
    // choose the shorter of two lists before reading one.
    int countForKey(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        const Chain *chain = find(key);
        return chain ? chain->count : 0;
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
        QString key;
        int first;
        int last;
        int count;
    };
    struct Bucket
    {
        size_t hash;
        int chain; // -1: empty
    };

    static size_t hashOf(QStringView key)
    {
        if constexpr (requires { Keys::hash(key); })
            return Keys::hash(key);
        else
            return qHash(key, QHashSeed::globalSeed());
    }

    static bool sameKey(QStringView a, QStringView b)
    {
        if constexpr (requires { Keys::equal(a, b); })
            return Keys::equal(a, b);
        else
            return a == b;
    }

    const Chain *find(const QString &key) const
    {
        if (m_buckets.empty())
            return nullptr;
        const size_t hash = hashOf(key);
        const size_t mask = m_buckets.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Bucket &bucket = m_buckets[i];
            if (bucket.chain < 0)
                return nullptr;
            if (bucket.hash == hash && sameKey(m_chains[size_t(bucket.chain)].key, key))
                return &m_chains[size_t(bucket.chain)];
        }
    }

    // The key's chain once every entry on it still carries the key, rebuilding when one does not.
    const Chain *verifiedChain(const Entries &entries, const QString &key)
    {
        if (!m_built)
            build(entries);
        const Chain *chain = find(key);
        if (!chain)
            return nullptr;
        for (int slot = chain->first; slot >= 0; slot = m_slots[size_t(slot)].next) {
            if (!m_keys.has(*entries[size_t(m_slots[size_t(slot)].position)], key)) {
                build(entries);
                return find(key);
            }
        }
        return chain;
    }

    template <typename Found> Found collect(const Entries &entries, const Chain *chain) const
    {
        Found found;
        if (!chain)
            return found;
        found.reserve(chain->count);
        for (int slot = chain->first; slot >= 0; slot = m_slots[size_t(slot)].next)
            found.append(entries[size_t(m_slots[size_t(slot)].position)]);
        return found;
    }

    void build(const Entries &entries)
    {
        m_buckets.clear();
        m_chains.clear();
        m_slots.clear();
        if constexpr (requires { m_keys.prepare(); })
            m_keys.prepare();
        // At most half full once every entry has brought a key; grown if entries bring more.
        m_buckets.assign(std::bit_ceil(2 * entries.size() + 16), Bucket{0, -1});
        m_slots.reserve(entries.size());
        m_chains.reserve(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const int position = int(i);
            m_keys.forEach(*entries[i], [&](const QString &key) { add(key, position); });
        }
        m_built = true;
    }

    void add(const QString &key, int position)
    {
        const size_t hash = hashOf(key);
        const size_t mask = m_buckets.size() - 1;
        size_t i = hash & mask;
        for (; m_buckets[i].chain >= 0; i = (i + 1) & mask) {
            if (m_buckets[i].hash != hash)
                continue;
            Chain &chain = m_chains[size_t(m_buckets[i].chain)];
            if (!sameKey(chain.key, key))
                continue;
            Slot &last = m_slots[size_t(chain.last)];
            if (last.position == position)
                return; // a key the entry carries twice counts once
            last.next = int(m_slots.size());
            chain.last = last.next;
            ++chain.count;
            m_slots.push_back(Slot{position, -1});
            return;
        }
        const int slot = int(m_slots.size());
        m_slots.push_back(Slot{position, -1});
        m_buckets[i] = Bucket{hash, int(m_chains.size())};
        m_chains.push_back(Chain{key, slot, slot, 1});
        if (2 * m_chains.size() > m_buckets.size())
            grow();
    }

    void grow()
    {
        std::vector<Bucket> old(2 * m_buckets.size(), Bucket{0, -1});
        old.swap(m_buckets);
        const size_t mask = m_buckets.size() - 1;
        for (const Bucket &bucket : old) {
            if (bucket.chain < 0)
                continue;
            size_t i = bucket.hash & mask;
            while (m_buckets[i].chain >= 0)
                i = (i + 1) & mask;
            m_buckets[i] = bucket;
        }
    }

    Keys m_keys;
    bool m_built = false;
    std::vector<Bucket> m_buckets;
    std::vector<Chain> m_chains;
    std::vector<Slot> m_slots;
};
