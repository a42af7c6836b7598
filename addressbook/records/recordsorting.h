#pragma once

#include "platform/addressbook/record.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace AddressBookTool {

// Ascending by each property's text in turn, as the record answers it (no value sorts first);
// records that tie keep their order.
bool precedesByProperties(const Record &left, const Record &right, const QStringList &properties);

template <class Ptr>
QList<Ptr> sortedByProperties(QList<Ptr> records, const QStringList &properties)
{
    std::stable_sort(records.begin(), records.end(), [&properties](const Ptr &a, const Ptr &b) {
        return precedesByProperties(*a, *b, properties);
    });
    return records;
}

} // namespace AddressBookTool
