// What a window adds to the drags and drops of one of its tables' models: the text, files and
// window token a drag offers, and which drops it takes and how.
#pragma once

#include <QList>
#include <QMimeData>
#include <QModelIndex>
#include <QString>

#include <functional>

class QAbstractItemModel;

class TableDragDrop
{
public:
    virtual ~TableDragDrop();

    // The token that names the window among the program's open browsers.
    virtual QString windowToken() const = 0;
    // Adds to the drag of these arranged rows (ascending) what it offers other programs; false
    // when the drag must not start.
    virtual bool writeDrag(const QList<int> &rows, QMimeData &data) = 0;
    // A drop "on" a row has a valid parent and no row; a drop "above" a row has the row number
    // and no parent.
    virtual bool canDrop(const QMimeData *data, int row, const QModelIndex &parent) const = 0;
    virtual bool drop(const QMimeData *data, int row, const QModelIndex &parent) = 0;
};

// The drag of the model's rows among the indexes (each row once, ascending): the row type with
// each row's identifier and the window's token, and what dragDrop adds; null when the drag must
// not start.
QMimeData *rowsDragData(const QAbstractItemModel &model, const QModelIndexList &indexes,
                        TableDragDrop *dragDrop, const QString &rowType,
                        const std::function<QString(int)> &identifierAt);
