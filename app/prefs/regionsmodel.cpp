#include "app/prefs/regionsmodel.h"

#include "app/delegate/appdelegate.h"

RegionsModel::RegionsModel(AppDelegate &delegate, QObject *parent)
    : QAbstractListModel(parent)
    , m_delegate(delegate)
{}

int RegionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_delegate.useRegionsArray().size());
}

QVariant RegionsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const AppDelegate::RegionChoice &choice = m_delegate.useRegionsArray().at(index.row());
    if (role == Qt::DisplayRole)
        return choice.name;
    if (role == Qt::CheckStateRole)
        return choice.on ? Qt::Checked : Qt::Unchecked;
    return QVariant();
}

bool RegionsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount())
        return false;
    m_delegate.setRegionOn(index.row(), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit regionToggled();
    return true;
}

Qt::ItemFlags RegionsModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}

void RegionsModel::reload()
{
    beginResetModel();
    endResetModel();
}
