#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QVariantMap>

// A group table of the data loader: one row dictionary per group ("doGroupSync", "groupName",
// "groupCount" and the keys of its side), the first column checkable. A tick changes the row and
// is announced, so the window can recompute its selection.
class GroupRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    const QList<QVariantMap> &rows() const { return m_rows; }
    void setRows(const QList<QVariantMap> &rows);
    // Ticks or clears every row at once.
    void setAllTicked(bool ticked);
    bool isTicked(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A row was ticked or cleared by the user.
    void tickChanged();

private:
    QList<QVariantMap> m_rows;
};
