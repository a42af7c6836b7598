// The arranged order of the contact table: which of the shown rows the search lets through, and
// in which order, as positions in the engine's rows. Each step reads texts made once per row, never
// the rows' dictionaries per comparison.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <vector>

namespace contactarrangement {

// The positions whose search text holds the folded search string, ascending.
std::vector<int> searchedPositions(const QStringList &searchTexts, const QString &foldedSearch);

// One sort key per row: the text under the key, case-folded when the comparison ignores case.
std::vector<QString> sortKeys(const QList<QVariantMap> &rows, const QString &key, bool ignoreCase);

// Sorts the positions by their keys; rows with equal keys keep their order.
void sortPositions(std::vector<int> &positions, const std::vector<QString> &keys,
                   Qt::SortOrder order);

} // namespace contactarrangement
