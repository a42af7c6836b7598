// The records of a book in their order, by their places. Places only grow, so a record joins at
// the end; one that leaves leaves a hole, and the holes are closed up once they are as many as
// the records, so that a walk and a removal stay cheap in a book of 25,000 read at every start.
#pragma once

#include "platform/addressbook/recordclass.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

class RecordOrder
{
public:
    // place must be greater than every place already in the order.
    void append(quint64 place, RecordPtr record)
    {
        m_entries.emplace_back(place, std::move(record));
    }

    void reserve(std::size_t size) { m_entries.reserve(size); }

    void erase(quint64 place)
    {
        const auto at = std::lower_bound(
            m_entries.begin(), m_entries.end(), place,
            [](const Entry &entry, quint64 wanted) { return entry.first < wanted; });
        if (at == m_entries.end() || at->first != place || !at->second)
            return;
        at->second.reset();
        if (++m_holes * 2 >= m_entries.size())
            closeHoles();
    }

    void clear()
    {
        m_entries.clear();
        m_holes = 0;
    }

    std::size_t size() const { return m_entries.size() - m_holes; }

    // Each record in order.
    template <typename Visit> void forEach(Visit &&visit) const
    {
        for (const Entry &entry : m_entries) {
            if (entry.second)
                visit(entry.second);
        }
    }

private:
    using Entry = std::pair<quint64, RecordPtr>;

    void closeHoles()
    {
        std::erase_if(m_entries, [](const Entry &entry) { return !entry.second; });
        m_holes = 0;
    }

    std::vector<Entry> m_entries;
    std::size_t m_holes = 0;
};
