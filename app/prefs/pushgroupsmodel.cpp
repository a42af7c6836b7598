#include "app/prefs/pushgroupsmodel.h"

#include <QPixmap>

PushGroupsModel::PushGroupsModel(std::function<QList<AutoABGroup> &()> groups, QObject *parent)
    : QAbstractTableModel(parent)
    , m_groups(std::move(groups))
{}

int PushGroupsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_groups().size());
}

int PushGroupsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PushGroupsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const AutoABGroup &group = m_groups().at(index.row());
    switch (index.column()) {
    case Tick:
        if (role == Qt::CheckStateRole)
            return group.doSynch ? Qt::Checked : Qt::Unchecked;
        break;
    case Icon:
        if (role == Qt::DecorationRole && !group.image.isNull())
            return QPixmap::fromImage(group.image)
                .scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        break;
    case Name:
        if (role == Qt::DisplayRole)
            return group.groupName;
        break;
    }
    return QVariant();
}

QVariant PushGroupsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Tick:
        return tr("Push");
    case Name:
        return tr("Group");
    default:
        return QVariant();
    }
}

bool PushGroupsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Tick || index.row() >= rowCount())
        return false;
    m_groups()[index.row()].doSynch = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit groupToggled();
    return true;
}

Qt::ItemFlags PushGroupsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Tick)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void PushGroupsModel::reload()
{
    beginResetModel();
    endResetModel();
}
