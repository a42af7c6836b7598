#include "browser/models/contactarrangement.h"

#include "google/browser/browsersearchtext.h"

#include <algorithm>

namespace contactarrangement {

std::vector<int> searchedPositions(const QStringList &searchTexts, const QString &foldedSearch)
{
    std::vector<int> positions;
    positions.reserve(size_t(searchTexts.size()));
    for (int i = 0; i < int(searchTexts.size()); ++i) {
        if (browsersearch::matches(searchTexts[i], foldedSearch))
            positions.push_back(i);
    }
    return positions;
}

std::vector<QString> sortKeys(const QList<QVariantMap> &rows, const QString &key, bool ignoreCase)
{
    std::vector<QString> keys;
    keys.reserve(size_t(rows.size()));
    for (const QVariantMap &row : rows) {
        const QString value = row.value(key).toString();
        keys.push_back(ignoreCase ? value.toCaseFolded() : value);
    }
    return keys;
}

void sortPositions(std::vector<int> &positions, const std::vector<QString> &keys,
                   Qt::SortOrder order)
{
    if (order == Qt::AscendingOrder) {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    } else {
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; });
    }
}

} // namespace contactarrangement
