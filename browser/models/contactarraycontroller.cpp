#include "browser/models/contactarraycontroller.h"

#include "browser/models/contactarrangement.h"
#include "browser/models/contactcolumns.h"
#include "browser/models/pasteboardtypes.h"
#include "browser/models/tabledragdrop.h"
#include "google/browser/browsersearchtext.h"

#include <algorithm>

namespace {

const QString kGID = QStringLiteral("gID");
const QString kName = QStringLiteral("name");
const QString kNameWithImage = QStringLiteral("nameWithImage");

} // namespace

ContactArrayController::ContactArrayController(const GoogleContactLists &lists, QObject *parent)
    : QAbstractTableModel(parent)
    , m_lists(lists)
{
    takeEngineRows();
    arrange();
}

void ContactArrayController::takeEngineRows()
{
    m_rows = m_lists.browserRows();
    m_searchTexts = m_lists.browserSearchTexts();
    computeSortKeys();
}

void ContactArrayController::computeSortKeys()
{
    m_sortKeys.clear();
    if (m_sortColumn < 0)
        return;
    const QString &identifier = contactcolumns::columns[size_t(m_sortColumn)].identifier;
    m_sortKeys = contactarrangement::sortKeys(m_rows, identifier, identifier == kName);
}

void ContactArrayController::arrange()
{
    m_arranged = contactarrangement::searchedPositions(m_searchTexts, m_foldedSearch);
    if (m_sortColumn >= 0)
        contactarrangement::sortPositions(m_arranged, m_sortKeys, m_sortOrder);
}

void ContactArrayController::rearrange()
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> positions;
    positions.reserve(size_t(before.size()));
    for (const QModelIndex &index : before)
        positions.push_back(m_arranged[size_t(index.row())]);
    arrange();
    std::vector<int> rowOf(size_t(m_rows.size()), -1);
    for (size_t row = 0; row < m_arranged.size(); ++row)
        rowOf[size_t(m_arranged[row])] = int(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < int(before.size()); ++i) {
        const int row = rowOf[size_t(positions[size_t(i)])];
        after.append(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void ContactArrayController::contactRowsChanged()
{
    beginResetModel();
    takeEngineRows();
    arrange();
    endResetModel();
}

void ContactArrayController::contactRowReplaced(const QString &gID)
{
    const QList<int> positions = m_lists.browserRowPositions(gID);
    if (positions.size() != 1 || m_lists.browserRows().size() != m_rows.size() ||
        m_rows[positions.front()].value(kGID) != gID) {
        contactRowsChanged();
        return;
    }
    const int position = positions.front();
    const auto shown = std::find(m_arranged.begin(), m_arranged.end(), position);
    const QString oldKey = m_sortColumn >= 0 ? m_sortKeys[size_t(position)] : QString();
    m_rows = m_lists.browserRows();
    m_searchTexts = m_lists.browserSearchTexts();
    if (m_sortColumn >= 0) {
        const QString &identifier = contactcolumns::columns[size_t(m_sortColumn)].identifier;
        m_sortKeys[size_t(position)] =
            contactarrangement::sortKeys({m_rows[position]}, identifier, identifier == kName)
                .front();
    }
    const bool stillShown = browsersearch::matches(m_searchTexts[position], m_foldedSearch);
    if ((shown != m_arranged.end()) == stillShown &&
        (m_sortColumn < 0 || m_sortKeys[size_t(position)] == oldKey)) {
        if (stillShown) {
            const int row = int(shown - m_arranged.begin());
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
        return;
    }
    rearrange();
}

void ContactArrayController::setSearchString(const QString &search)
{
    if (search == m_search)
        return;
    m_search = search;
    m_foldedSearch = browsersearch::foldedSearchString(search);
    rearrange();
    emit filterChanged();
}

const QVariantMap &ContactArrayController::arrangedObject(int row) const
{
    return m_rows[m_arranged[size_t(row)]];
}

QString ContactArrayController::gIDAt(int row) const
{
    return arrangedObject(row).value(kGID).toString();
}

int ContactArrayController::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_arranged.size());
}

int ContactArrayController::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(contactcolumns::columns.size());
}

QVariant ContactArrayController::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QVariantMap &row = arrangedObject(index.row());
    const ContactColumn &column = contactcolumns::columns[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return column.isImage ? QVariant() : row.value(column.identifier);
    case Qt::DecorationRole:
        return column.isImage ? row.value(column.identifier) : QVariant();
    case NameWithImageRole:
        return row.value(kNameWithImage);
    case GIDRole:
        return row.value(kGID);
    default:
        return {};
    }
}

QVariant ContactArrayController::headerData(int section, Qt::Orientation orientation,
                                            int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return contactcolumns::columns[size_t(section)].title;
    if (role == ColumnIdentifierRole)
        return contactcolumns::columns[size_t(section)].identifier;
    return {};
}

Qt::ItemFlags ContactArrayController::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

void ContactArrayController::sort(int column, Qt::SortOrder order)
{
    if (column >= columnCount())
        return;
    m_sortColumn = column < 0 ? -1 : column;
    m_sortOrder = order;
    computeSortKeys();
    rearrange();
}

QStringList ContactArrayController::mimeTypes() const
{
    return pasteboardtypes::contactTableDrops;
}

QMimeData *ContactArrayController::mimeData(const QModelIndexList &indexes) const
{
    return rowsDragData(*this, indexes, m_dragDrop, pasteboardtypes::contactRows,
                        [this](int row) { return gIDAt(row); });
}

bool ContactArrayController::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                             int, const QModelIndex &parent) const
{
    return action == Qt::CopyAction && m_dragDrop && m_dragDrop->canDrop(data, row, parent);
}

bool ContactArrayController::dropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                          int, const QModelIndex &parent)
{
    return action == Qt::CopyAction && m_dragDrop && m_dragDrop->drop(data, row, parent);
}
