// Lists sorted through the delegate's sort descriptors, as the lists bound to them are shown:
// by each key in turn, in its order; rows equal on every key keep their order. Texts are compared
// as they are (case counts, "B" before "a"), numbers by value.
#pragma once

#include "app/delegate/appdelegate.h"

#include <QList>
#include <QVariant>

#include <algorithm>

namespace sortdescriptors {

// Below zero, zero or above zero as the first value sorts before, with or after the second.
int compareValues(const QVariant &first, const QVariant &second);

// valueOf(row, key) answers the row's value for a descriptor's key.
template <typename Row, typename ValueOf>
void sortRows(QList<Row> &rows, const QList<AppDelegate::SortKey> &keys, ValueOf valueOf)
{
    std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) {
        for (const AppDelegate::SortKey &key : keys) {
            const int order = compareValues(valueOf(a, key.key), valueOf(b, key.key));
            if (order != 0)
                return key.order == Qt::AscendingOrder ? order < 0 : order > 0;
        }
        return false;
    });
}

} // namespace sortdescriptors
