// The identifiers of a group's members or subgroups, in the order they were added, with a hash
// beside the list so that asking whether a record belongs costs the same in a group of 25,000.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

class OrderedIdSet
{
public:
    OrderedIdSet() = default;

    OrderedIdSet &operator=(const QStringList &ids)
    {
        m_order.clear();
        m_lookup.clear();
        m_stored = {};
        for (const QString &id : ids)
            append(id);
        return *this;
    }

    bool contains(const QString &id) const { return m_lookup.contains(id); }

    // False, and nothing added, when the identifier is there already.
    bool append(const QString &id)
    {
        if (m_lookup.contains(id))
            return false;
        m_lookup.insert(id);
        m_order.append(id);
        return true;
    }

    qsizetype removeAll(const QString &id)
    {
        if (!m_lookup.remove(id))
            return 0;
        m_stored = {};
        return m_order.removeAll(id);
    }

    const QStringList &list() const { return m_order; }
    QStringList::const_iterator begin() const { return m_order.cbegin(); }
    QStringList::const_iterator end() const { return m_order.cend(); }

    // The stored form of the first `ids` identifiers, made by the record codec and kept with the
    // set: appending leaves it true, so a save after a member joined a group of thousands only
    // encodes the newcomer. Anything else empties it.
    struct StoredForm
    {
        QByteArray bytes;
        qsizetype ids = 0;
    };
    StoredForm &storedForm() const { return m_stored; }

private:
    QStringList m_order;
    QSet<QString> m_lookup;
    mutable StoredForm m_stored;
};
