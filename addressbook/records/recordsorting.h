#pragma once

#include "platform/addressbook/record.h"

#include <QList>
#include <QStringList>

#include <vector>

namespace AddressBookTool {

// The positions of the records ascending by each property's text in turn, as the record answers
// it (no value sorts first); records that tie keep their order. Each record's texts are read
// once: a sort compares each record many times.
std::vector<int> orderByProperties(const std::vector<const Record *> &records,
                                   const QStringList &properties);

template <class Ptr>
QList<Ptr> sortedByProperties(QList<Ptr> records, const QStringList &properties)
{
    std::vector<const Record *> plain;
    plain.reserve(size_t(records.size()));
    for (const Ptr &record : records)
        plain.push_back(record.get());
    QList<Ptr> sorted;
    sorted.reserve(records.size());
    for (const int position : orderByProperties(plain, properties))
        sorted.append(std::move(records[position]));
    return sorted;
}

} // namespace AddressBookTool
