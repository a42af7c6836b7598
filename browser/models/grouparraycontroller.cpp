#include "browser/models/grouparraycontroller.h"

#include "browser/models/pasteboardtypes.h"
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
    return {pasteboardtypes::groupRows};
}

QMimeData *GroupArrayController::mimeData(const QModelIndexList &indexes) const
{
    return pasteboardtypes::rowsMimeData(pasteboardtypes::groupRows, indexes);
}

bool GroupArrayController::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                           const QModelIndex &) const
{
    return action == Qt::CopyAction &&
           pasteboardtypes::holdsAnyOf(data, pasteboardtypes::groupTableDrops);
}

bool GroupArrayController::dropMimeData(const QMimeData *, Qt::DropAction, int, int,
                                        const QModelIndex &)
{
    return false;
}
