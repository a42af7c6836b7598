// The group table's model: one row per group row, in their order.
#pragma once

#include "browser/models/tabledragdrop.h"

#include "browser/models/grouprows.h"

#include <QAbstractTableModel>

#include <functional>

class GroupArrayController : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        IdentifierRole = Qt::UserRole + 1,
        GroupTypeRole,
        GroupOrderRole,
        // The row's title with its icon (QSharedPointer<QTextDocument>).
        NameWithImageRole,
    };

    explicit GroupArrayController(QObject *parent = nullptr);

    // The address book groups chosen for automatic push, when the program offers them; asked each
    // time the rows are built while autoPushABChanges is on.
    void setAutoABGroupsSource(std::function<QList<AutoABGroup>()> source)
    {
        m_autoABGroups = std::move(source);
    }

    // Builds the rows of the engine's groups; the same list as the last one changes nothing.
    void setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups);
    const QList<GroupRow> &groupArray() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

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

private:
    TableDragDrop *m_dragDrop = nullptr;
    std::function<QList<AutoABGroup>()> m_autoABGroups;
    std::optional<std::vector<GDataEntryContactGroupPtr>> m_groupArrayCopy;
    QList<GroupRow> m_rows;
};
