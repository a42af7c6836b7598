// The World pane's regions: one checkable row per region of the continents switched on, over the
// application delegate's region list. Ticking a row offers or withdraws its countries.
#pragma once

#include <QAbstractListModel>

#include <functional>

class AppDelegate;

class RegionsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit RegionsModel(AppDelegate &delegate, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The delegate's list was rebuilt.
    void reload();

signals:
    // A row was ticked or unticked by the user.
    void regionToggled();

private:
    AppDelegate &m_delegate;
};
