// The browser's contact table. Return opens the selected contact's editor; the Delete keys ask
// before the selected contacts are deleted from Google, or, while a group other than the All row
// is selected, removed from the selected groups.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QTableView>

class GroupTableView;

class ContactTableView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    // The group table of the same window (not owned).
    void setGroupsTableView(GroupTableView *groups) { m_groupsTableView = groups; }

    // The "gID" values of the selected contacts, in table order.
    QStringList selectedContactIDs() const;

    // Asks to delete the selected contacts, or to remove them from the selected groups. With no
    // contact selected it only beeps: there is nothing to name in the sheet.
    void deleteContacts();

signals:
    void editRequested();
    // The user confirmed; the contacts and groups are those selected when the sheet opened.
    void deleteContactsConfirmed(const QStringList &gIDs);
    void removeContactsConfirmed(const QStringList &gIDs, const QStringList &groupIdentifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void askToRemove(const QStringList &gIDs, const QString &firstName);
    void askToDelete(const QStringList &gIDs, const QString &firstName);

    QPointer<GroupTableView> m_groupsTableView;
};
