#include "browser/selection/groupsetcontroller.h"

#include "browser/models/browserlistkeys.h"
#include "browser/selection/selectiontexts.h"
#include "google/browser/browserlist.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "platform/defaults/userdefaults.h"

#include <QScopedValueRollback>

#include <algorithm>

GroupSetController::GroupSetController(GoogleContactTool &tool, GroupArrayController &groups,
                                       ContactArrayController &contacts, QObject *parent)
    : QObject(parent)
    , m_tool(tool)
    , m_groups(groups)
    , m_contacts(contacts)
    , m_groupSelection(&groups)
    , m_contactSelection(&contacts)
{
    connect(&m_groupSelection, &QItemSelectionModel::selectionChanged, this,
            &GroupSetController::groupSelectionChanged);
}

QModelIndexList GroupSetController::selectedGroupRows() const
{
    QModelIndexList rows = m_groupSelection.selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    return rows;
}

QStringList GroupSetController::selectedGroupIdentifiers() const
{
    QStringList identifiers;
    for (const QModelIndex &row : selectedGroupRows())
        identifiers.append(m_groups.groupArray()[row.row()].identifier);
    return identifiers;
}

QStringList GroupSetController::selectedContactIDs() const
{
    QModelIndexList rows = m_contactSelection.selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList identifiers;
    for (const QModelIndex &row : rows)
        identifiers.append(m_contacts.gIDAt(row.row()));
    return identifiers;
}

void GroupSetController::toggleSetOperator()
{
    m_useIntersection = !m_useIntersection;
    emit setModeMenuTitle(m_useIntersection ? selectiontexts::changeToUnion
                                            : selectiontexts::changeToIntersection);
    if (selectedGroupRows().size() >= 2)
        refreshView();
}

void GroupSetController::setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups)
{
    const QStringList selected = selectedGroupIdentifiers();
    {
        const QScopedValueRollback guard(m_refreshing, true);
        m_groups.setGroupArray(groups);
        selectGroupIdentifiers(selected);
    }
    // A selected group that is gone leaves a selection whose list is no longer the one shown.
    if (selectedGroupIdentifiers() != selected)
        refreshView();
}

void GroupSetController::selectGroupIdentifiers(const QStringList &identifiers)
{
    QItemSelection chosen;
    for (int row = 0; row < m_groups.rowCount(); ++row) {
        if (identifiers.contains(m_groups.groupArray()[row].identifier))
            chosen.select(m_groups.index(row, 0), m_groups.index(row, 0));
    }
    m_groupSelection.select(chosen,
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void GroupSetController::groupSelectionChanged()
{
    if (m_refreshing)
        return;
    if (UserDefaults::standard().boolForKey(browserlistkeys::clearSearchOnGroupSelect) &&
        !m_contacts.searchString().isEmpty()) {
        m_contacts.setSearchString(QString());
        emit searchCleared();
    }
    if (m_groups.rowCount() > 1)
        refreshView();
}

void GroupSetController::selectGroupRowZeroAlone()
{
    const QModelIndex zero = m_groups.index(0, 0);
    m_groupSelection.setCurrentIndex(zero, QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
}

void GroupSetController::showContacts(const QList<GDataEntryContactPtr> &contacts)
{
    BrowserRowsProgress unseen;
    GoogleContactToolUIDelegate *ui = m_tool.uiDelegate();
    browserlist::setContactBrowserArray(m_tool.lists(), contacts, ui ? *ui : unseen);
}

void GroupSetController::refreshView()
{
    {
        const QScopedValueRollback guard(m_refreshing, true);
        const std::vector<GDataEntryContactPtr> &all = m_tool.contactArray();
        const QModelIndexList selected = selectedGroupRows();
        if (m_groups.rowCount() == 0 || selected.isEmpty()) {
            if (m_groups.rowCount() > 0)
                selectGroupRowZeroAlone();
            showContacts(QList<GDataEntryContactPtr>(all.begin(), all.end()));
        } else if (selected.front().row() == 0) {
            if (selected.size() > 1)
                selectGroupRowZeroAlone();
            if (UserDefaults::standard().integerForKey(browserlistkeys::systemGroupUseAll) == 1)
                showContacts(QList<GDataEntryContactPtr>(all.begin(), all.end()));
            else
                showContacts(pseudogroups::myContactsArray(m_tool.lists()));
        } else {
            m_tool.setContactBrowserArrayForGroupSet(
                pseudogroups::groupSetForIDs(m_tool.lists(), selectedGroupIdentifiers()),
                m_useIntersection);
        }
    }
    m_contacts.contactRowsChanged();
    if (m_contacts.rowCount() > 0)
        m_contactSelection.setCurrentIndex(m_contacts.index(0, 0),
                                           QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    emit listRefreshed();
}
