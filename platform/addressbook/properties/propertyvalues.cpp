#include "platform/addressbook/properties/propertyvalues.h"

namespace {

constexpr qsizetype kGrowth = 4;

} // namespace

qsizetype PropertyValues::indexOf(const QString &property) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first == property)
            return i;
    }
    return -1;
}

QVariant PropertyValues::value(const QString &property) const
{
    const qsizetype index = indexOf(property);
    return index < 0 ? QVariant() : m_entries[index].second;
}

void PropertyValues::insert(const QString &property, const QVariant &value)
{
    const qsizetype index = indexOf(property);
    if (index >= 0) {
        m_entries[index].second = value;
        return;
    }
    // A few entries more at a time: growing by doubling would leave most records with nearly
    // twice the room they use.
    if (m_entries.size() == m_entries.capacity())
        m_entries.reserve(m_entries.size() + kGrowth);
    m_entries.append({property, value});
}

qsizetype PropertyValues::remove(const QString &property)
{
    const qsizetype index = indexOf(property);
    if (index < 0)
        return 0;
    m_entries.remove(index);
    return 1;
}
