#include "browser/models/grouparraycontroller.h"

#include "browser/models/pasteboardtypes.h"
#include "browser/models/tabledragdrop.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"

GroupArrayController::GroupArrayController(QObject *parent)
    : QAbstractTableModel(parent)
{}

void GroupArrayController::setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups)
{
    if (m_groupArrayCopy == groups)
        return;
    m_groupArrayCopy = groups;
    std::optional<QList<AutoABGroup>> pushed;
    if (m_autoABGroups && UserDefaults::standard().integerForKey(pushkeys::autoPushABChanges) != 0)
        pushed = m_autoABGroups();
    beginResetModel();
    m_rows = grouprows::groupRows(groups, pushed);
    endResetModel();
}

int GroupArrayController::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GroupArrayController::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant GroupArrayController::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GroupRow &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return row.groupName;
    case IdentifierRole:
        return row.identifier;
    case GroupTypeRole:
        return row.groupType;
    case GroupOrderRole:
        return row.groupOrder;
    case NameWithImageRole:
        return QVariant::fromValue(row.nameWithImage);
    default:
        return {};
    }
}

Qt::ItemFlags GroupArrayController::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

QStringList GroupArrayController::mimeTypes() const
{
    return pasteboardtypes::groupTableDrops;
}

QMimeData *GroupArrayController::mimeData(const QModelIndexList &indexes) const
{
    return rowsDragData(*this, indexes, m_dragDrop, pasteboardtypes::groupRows,
                        [this](int row) { return m_rows[row].identifier; });
}

bool GroupArrayController::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                           int, const QModelIndex &parent) const
{
    return action == Qt::CopyAction && m_dragDrop && m_dragDrop->canDrop(data, row, parent);
}

bool GroupArrayController::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                                        const QModelIndex &parent)
{
    return action == Qt::CopyAction && m_dragDrop && m_dragDrop->drop(data, row, parent);
}
