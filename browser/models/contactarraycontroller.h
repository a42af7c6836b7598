// The contact table's model: the engine's browser rows as the table arranges them (the rows the
// search lets through, in the order of the sort), one column per contact column.
#pragma once

#include "browser/models/tabledragdrop.h"

#include "google/engine/googlecontactlists.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <vector>

class ContactArrayController : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        // The row's "nameWithImage" (tolvane::NameWithImage), for the name column's painter.
        NameWithImageRole = Qt::UserRole + 1,
        // The row's "gID".
        GIDRole,
        // Of the header: the column's identifier.
        ColumnIdentifierRole,
    };

    explicit ContactArrayController(const GoogleContactLists &lists, QObject *parent = nullptr);

    // The engine's rows were replaced: the table shows the new ones, searched and sorted as
    // before. The model shares the engine's list rather than copying it, and takes the engine's
    // current one only here, so a view never sees the rows change under it.
    void contactRowsChanged();
    // The engine made the row of that contact anew in place; only that row changes.
    void contactRowReplaced(const QString &gID);

    // The search of the search field; the empty string lets every row through. Rows that stay
    // keep their selection.
    void setSearchString(const QString &search);
    QString searchString() const { return m_search; }

    // The arranged rows.
    const QVariantMap &arrangedObject(int row) const;
    QString gIDAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The name column sorts without regard to case; the others by plain comparison. Rows that
    // compare equal keep the engine's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The window that shows the table adds its drags' offers and decides its drops (not owned);
    // without one a drag carries the rows alone and no drop is taken.
    void setDragDrop(TableDragDrop *dragDrop) { m_dragDrop = dragDrop; }
    // Drags carry the arranged rows with their identifiers.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

signals:
    // The search changed the rows shown; the window brings the selection's views up to date.
    void filterChanged();

private:
    TableDragDrop *m_dragDrop = nullptr;
    void takeEngineRows();
    void computeSortKeys();
    void arrange();
    // Arranges again, keeping every persistent index (the selection) on its row where the row is
    // still shown.
    void rearrange();

    const GoogleContactLists &m_lists;
    QList<QVariantMap> m_rows;
    QStringList m_searchTexts;
    QString m_search;
    QString m_foldedSearch;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::vector<QString> m_sortKeys;
    // Positions in m_rows, in the table's order.
    std::vector<int> m_arranged;
};
