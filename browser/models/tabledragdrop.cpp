#include "browser/models/tabledragdrop.h"

#include "browser/models/pasteboardtypes.h"

#include <memory>
#include <set>

TableDragDrop::~TableDragDrop() = default;

QMimeData *rowsDragData(const QAbstractItemModel &model, const QModelIndexList &indexes,
                        TableDragDrop *dragDrop, const QString &rowType,
                        const std::function<QString(int)> &identifierAt)
{
    std::set<int> unique;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.model() == &model)
            unique.insert(index.row());
    }
    pasteboardtypes::DraggedRows dragged;
    dragged.window = dragDrop ? dragDrop->windowToken() : QString();
    for (int row : unique) {
        dragged.rows.append(row);
        dragged.identifiers.append(identifierAt(row));
    }
    auto data = std::make_unique<QMimeData>();
    data->setData(rowType, pasteboardtypes::encodeRows(dragged));
    if (dragDrop && !dragDrop->writeDrag(dragged.rows, *data))
        return nullptr;
    return data.release();
}
