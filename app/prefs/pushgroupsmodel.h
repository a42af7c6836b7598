// The ABPush pane's groups: a tick (push this group's members), the group's image ("Gear" for a
// smart group, "SmallGear" or "Blank32" as the push selection lists them) and its name, over the
// application delegate's push selection.
#pragma once

#include "google/engine/googleabautoupdatedelegate.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>

class PushGroupsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Tick, Icon, Name, ColumnCount };

    // The selection the rows stand for, changed in place when a row is ticked.
    explicit PushGroupsModel(std::function<QList<AutoABGroup> &()> groups,
                             QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void reload();

signals:
    void groupToggled();

private:
    std::function<QList<AutoABGroup> &()> m_groups;
};
