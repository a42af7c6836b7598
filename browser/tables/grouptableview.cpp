#include "browser/tables/grouptableview.h"

#include "browser/models/grouparraycontroller.h"
#include "browser/tables/tablekeys.h"
#include "browser/tables/tabletexts.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/beep.h"
#include "platform/ui/prompter.h"

#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

namespace {

// Rows of these kinds and below ("a" the All row, "b" Google's system groups, "c" the program's
// own groups) have no Google group of their own to delete.
const QString kFirstDeletableType = QStringLiteral("d");

QList<int> sortedRows(const QItemSelectionModel *selection)
{
    QList<int> rows;
    if (!selection)
        return rows;
    for (const QModelIndex &index : selection->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

QList<GroupRow> GroupTableView::selectedGroupRows() const
{
    QList<GroupRow> rows;
    const auto *const groups = qobject_cast<const GroupArrayController *>(model());
    if (!groups)
        return rows;
    for (const int row : sortedRows(selectionModel()))
        rows.append(groups->groupArray()[row]);
    return rows;
}

int GroupTableView::lastSelectedRow() const
{
    const QList<int> rows = sortedRows(selectionModel());
    return rows.isEmpty() ? -1 : rows.back();
}

void GroupTableView::keyPressEvent(QKeyEvent *event)
{
    const tablekeys::Key key = tablekeys::keyOf(*event);
    const QList<GroupRow> selected = selectedGroupRows();
    if (selected.isEmpty() ||
        (key != tablekeys::Key::Delete && key != tablekeys::Key::ForwardDelete)) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    const bool refused = std::any_of(selected.cbegin(), selected.cend(), [](const GroupRow &row) {
        return row.groupType < kFirstDeletableType;
    });
    if (refused)
        beep::beep();
    else
        deleteGroups();
}

void GroupTableView::deleteGroups()
{
    const QList<GroupRow> selected = selectedGroupRows();
    if (selected.isEmpty())
        return;
    if (UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverRemoveGroups)) {
        Prompter::current().beginSheet(
            Prompt{tabletexts::groupsNotDeletable, tabletexts::whereTheRuleIs, {tabletexts::ok}},
            window(), [](int) {});
        return;
    }
    QStringList identifiers;
    for (const GroupRow &row : selected)
        identifiers.append(row.identifier);
    const bool one = selected.size() == 1;
    const Prompt prompt{one ? tabletexts::deleteOneGroup : tabletexts::deleteManyGroups,
                        one ? tabletexts::deleteOneText.arg(selected.front().groupName)
                            : tabletexts::deleteManyGroupsText.arg(selected.size()),
                        {tabletexts::deleteButton, tabletexts::cancel}};
    // The groups are named when the sheet opens: a fetch meanwhile may reorder the rows.
    const QPointer<GroupTableView> self(this);
    Prompter::current().beginSheet(prompt, window(), [self, identifiers](int answer) {
        if (self && answer == kAlertFirstButtonReturn)
            emit self->deleteGroupsConfirmed(identifiers);
    });
}
