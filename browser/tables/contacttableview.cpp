#include "browser/tables/contacttableview.h"

#include "browser/models/contactarraycontroller.h"
#include "browser/tables/grouptableview.h"
#include "browser/tables/tablekeys.h"
#include "browser/tables/tabletexts.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/beep.h"
#include "platform/ui/prompter.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

const QString kName = QStringLiteral("name");

} // namespace

QStringList ContactTableView::selectedContactIDs() const
{
    QStringList gIDs;
    const auto *const contacts = qobject_cast<const ContactArrayController *>(model());
    if (!contacts || !selectionModel())
        return gIDs;
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    for (const int row : rows)
        gIDs.append(contacts->gIDAt(row));
    return gIDs;
}

void ContactTableView::keyPressEvent(QKeyEvent *event)
{
    switch (tablekeys::keyOf(*event)) {
    case tablekeys::Key::Return:
        event->accept();
        emit editRequested();
        return;
    case tablekeys::Key::Delete:
    case tablekeys::Key::ForwardDelete:
        event->accept();
        deleteContacts();
        return;
    case tablekeys::Key::Other:
        QTableView::keyPressEvent(event);
        return;
    }
}

void ContactTableView::deleteContacts()
{
    const auto *const contacts = qobject_cast<const ContactArrayController *>(model());
    const QStringList gIDs = selectedContactIDs();
    if (!contacts || gIDs.isEmpty()) {
        beep::beep();
        return;
    }
    QString firstName;
    for (int row = 0; row < contacts->rowCount(); ++row) {
        if (contacts->gIDAt(row) == gIDs.front()) {
            firstName = contacts->arrangedObject(row).value(kName).toString();
            break;
        }
    }
    const bool inGroup = m_groupsTableView && m_groupsTableView->lastSelectedRow() > 0;
    if (inGroup)
        askToRemove(gIDs, firstName);
    else if (UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverRemoveContacts))
        Prompter::current().beginSheet(
            Prompt{tabletexts::contactsNotDeletable, tabletexts::whereTheRuleIs, {tabletexts::ok}},
            window(), [](int) {});
    else
        askToDelete(gIDs, firstName);
}

void ContactTableView::askToRemove(const QStringList &gIDs, const QString &firstName)
{
    const QList<GroupRow> groups = m_groupsTableView->selectedGroupRows();
    QStringList identifiers;
    for (const GroupRow &group : groups)
        identifiers.append(group.identifier);
    const qsizetype c = gIDs.size();
    const qsizetype g = groups.size();
    const QString count = QString::number(c);
    const QString groupCount = QString::number(g);
    const QString &groupName = groups.front().groupName;
    // The texts by the counts of contacts and groups: one and one, several and one, one and
    // several, several and several.
    QString message;
    QString text;
    if (g == 1) {
        message = c == 1 ? tabletexts::removeOneFromOne : tabletexts::removeManyFromOne;
        text = c == 1 ? tabletexts::removeOneFromOneText.arg(firstName, groupName)
                      : tabletexts::removeManyFromOneText.arg(count, groupName);
    } else {
        message = c == 1 ? tabletexts::removeOneFromMany : tabletexts::removeManyFromMany;
        text = c == 1 ? tabletexts::removeOneFromManyText.arg(firstName, groupCount)
                      : tabletexts::removeManyFromManyText.arg(count, groupCount);
    }
    const Prompt prompt{message, text, {tabletexts::remove, tabletexts::cancel}};
    const QPointer<ContactTableView> self(this);
    Prompter::current().beginSheet(prompt, window(), [self, gIDs, identifiers](int answer) {
        if (self && answer == kAlertFirstButtonReturn)
            emit self->removeContactsConfirmed(gIDs, identifiers);
    });
}

void ContactTableView::askToDelete(const QStringList &gIDs, const QString &firstName)
{
    const bool one = gIDs.size() == 1;
    const Prompt prompt{one ? tabletexts::deleteOneContact : tabletexts::deleteManyContacts,
                        one ? tabletexts::deleteOneText.arg(firstName)
                            : tabletexts::deleteManyContactsText.arg(gIDs.size()),
                        {tabletexts::deleteButton, tabletexts::cancel}};
    const QPointer<ContactTableView> self(this);
    Prompter::current().beginSheet(prompt, window(), [self, gIDs](int answer) {
        if (self && answer == kAlertFirstButtonReturn)
            emit self->deleteContactsConfirmed(gIDs);
    });
}
