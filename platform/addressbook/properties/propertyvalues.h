#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// The property values of one record. A record holds a few dozen at most and the whole book is
// held in memory, so they are a flat list searched in order: a hash table would reserve room for
// far more entries than a record ever has, in every record of the book.
class PropertyValues
{
public:
    using Entry = std::pair<QString, QVariant>;

    // An invalid QVariant when the property has no value.
    QVariant value(const QString &property) const;
    // Replaces the value the property has.
    void insert(const QString &property, const QVariant &value);
    // The number of values removed: 0 or 1.
    qsizetype remove(const QString &property);
    qsizetype size() const { return m_entries.size(); }
    void reserve(qsizetype size) { m_entries.reserve(size); }
    const QList<Entry> &entries() const { return m_entries; }

private:
    qsizetype indexOf(const QString &property) const;

    QList<Entry> m_entries;
};
