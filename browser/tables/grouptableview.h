// The browser's group table. Its Delete keys ask before Google groups are deleted; the All row,
// Google's system groups and the program's own groups cannot be deleted, and a Delete among them
// only beeps.
#pragma once

#include "browser/models/grouprows.h"

#include <QList>
#include <QStringList>
#include <QTableView>

class GroupTableView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    // The selected group rows, in table order; none while the model is not a group model.
    QList<GroupRow> selectedGroupRows() const;
    // The highest selected row; -1 for none.
    int lastSelectedRow() const;

    // Asks to delete the selected groups, or tells that the preferences forbid it.
    void deleteGroups();

signals:
    // The user confirmed the deletion of the groups selected when the sheet opened.
    void deleteGroupsConfirmed(const QStringList &identifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
