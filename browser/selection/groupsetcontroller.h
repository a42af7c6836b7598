// Which contacts the browser lists: the contacts of the selected group rows, combined by union or
// intersection, recomputed whenever the group selection, the set operator or the engine's lists
// change. Every selected row is turned into its row's identifier ("identifier", "gID") at once, so
// no row number of one list is ever read as a row of another.
#pragma once

#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"

#include <QItemSelectionModel>
#include <QObject>
#include <QStringList>

class GoogleContactTool;

class GroupSetController : public QObject
{
    Q_OBJECT

public:
    GroupSetController(GoogleContactTool &tool, GroupArrayController &groups,
                       ContactArrayController &contacts, QObject *parent = nullptr);

    QItemSelectionModel *groupSelection() { return &m_groupSelection; }
    QItemSelectionModel *contactSelection() { return &m_contactSelection; }

    // The set operator: intersection when true, union when false.
    bool useIntersection() const { return m_useIntersection; }
    void setUseIntersection(bool useIntersection) { m_useIntersection = useIntersection; }
    // Flips the operator and names the menu item's next choice (setModeMenuTitle); the list
    // changes only while two or more group rows are selected.
    void toggleSetOperator();

    // The engine's groups were fetched: the rows are built again and the rows selected before
    // stay selected where they still exist.
    void setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups);
    // The contacts of the group selection become the list: every contact without a selected row
    // (row 0 then selected), and with row 0, the All row, selected alone among others. The first
    // contact is selected.
    void refreshView();

    // Selects exactly the rows of these identifiers, as a click and shift-clicks do; an
    // identifier without a row selects nothing.
    void selectGroupIdentifiers(const QStringList &identifiers);
    // The selected rows' identifiers, in table order.
    QStringList selectedGroupIdentifiers() const;
    // The selected contacts' "gID" values, in table order.
    QStringList selectedContactIDs() const;

signals:
    void setModeMenuTitle(const QString &title);
    // The search was cleared by a group selection (clearSearchOnGroupSelect).
    void searchCleared();
    // The list was computed anew; the contact selection may be empty.
    void listRefreshed();

private:
    void groupSelectionChanged();
    void selectGroupRowZeroAlone();
    void showContacts(const QList<GDataEntryContactPtr> &contacts);
    QModelIndexList selectedGroupRows() const;

    GoogleContactTool &m_tool;
    GroupArrayController &m_groups;
    ContactArrayController &m_contacts;
    QItemSelectionModel m_groupSelection;
    QItemSelectionModel m_contactSelection;
    bool m_useIntersection = false;
    // Set while the controller itself changes the group selection.
    bool m_refreshing = false;
};
