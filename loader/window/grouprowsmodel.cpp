#include "loader/window/grouprowsmodel.h"

#include "loader/loadertexts.h"

namespace {

const QString kTick = QStringLiteral("doGroupSync");

} // namespace

void GroupRowsModel::setRows(const QList<QVariantMap> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void GroupRowsModel::setAllTicked(bool ticked)
{
    for (QVariantMap &row : m_rows)
        row.insert(kTick, ticked);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, 0), {Qt::CheckStateRole});
}

bool GroupRowsModel::isTicked(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).value(kTick).toInt() == 1;
}

int GroupRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GroupRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant GroupRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QVariantMap &row = m_rows.at(index.row());
    if (index.column() == 0) {
        if (role == Qt::DisplayRole)
            return row.value(QStringLiteral("groupName"));
        if (role == Qt::CheckStateRole)
            return isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
    } else if (index.column() == 1 && role == Qt::DisplayRole) {
        return row.value(QStringLiteral("groupCount"));
    } else if (index.column() == 1 && role == Qt::TextAlignmentRole) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool GroupRowsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole ||
        index.row() >= m_rows.size())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    m_rows[index.row()].insert(kTick, ticked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit tickChanged();
    return true;
}

Qt::ItemFlags GroupRowsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant GroupRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? loadertexts::groupColumn : loadertexts::countColumn;
}
