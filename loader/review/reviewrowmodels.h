#pragma once

#include "google/browser/reviewrows.h"

#include <QAbstractTableModel>
#include <QList>

// The review window's tables: one row per contact name or per postal address, in the order of the
// list (sorted by title at load); a sort by the user is a proxy over these, so a row's position
// here always names the same row object.
class NameReviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Title, First, Middle, Last, Nick, Company, IsCompany, Changed, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    const QList<NameReviewRow> &rows() const { return m_rows; }
    void setRows(QList<NameReviewRow> rows);
    const NameReviewRow &row(int position) const { return m_rows.at(position); }
    // Replaces the row at that position and redraws it.
    void setRow(int position, const NameReviewRow &row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<NameReviewRow> m_rows;
};

class AddressReviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Title,
        Label,
        GoogleText,
        Line1,
        Line2,
        City,
        State,
        Postal,
        Country,
        Changed,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    const QList<AddressReviewRow> &rows() const { return m_rows; }
    void setRows(QList<AddressReviewRow> rows);
    const AddressReviewRow &row(int position) const { return m_rows.at(position); }
    void setRow(int position, const AddressReviewRow &row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<AddressReviewRow> m_rows;
};
