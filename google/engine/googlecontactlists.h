// The engine's local copy of the account: the groups and contacts of the last feed fetches, with
// the indexes the lookups search. The entries are shared with the engine's callers.
#pragma once

#include "google/lookups/contactindex.h"
#include "google/lookups/groupindex.h"
#include "google/lookups/identifierindex.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <vector>

class GoogleContactLists
{
public:
    GoogleContactLists();
    GoogleContactLists(const GoogleContactLists &) = delete;
    GoogleContactLists &operator=(const GoogleContactLists &) = delete;

    const std::vector<GDataEntryContactGroupPtr> &groups() const { return m_groups; }
    const std::vector<GDataEntryContactPtr> &contacts() const { return m_contacts; }

    // Both lists are kept sorted by title, ascending.
    void setGroups(std::vector<GDataEntryContactGroupPtr> groups);
    void setContacts(std::vector<GDataEntryContactPtr> contacts);

    int groupCount() const { return int(m_groups.size()); }
    int contactCount() const { return int(m_contacts.size()); }

    // Whether the lists are the whole account, i.e. the last fetch of each succeeded. Stored links
    // are judged stale only against a complete list: after a failed fetch the list is empty or
    // partial, and every link would look stale.
    bool isContactListComplete() const { return m_contactListComplete; }
    void setContactListComplete(bool complete) { m_contactListComplete = complete; }
    bool isGroupListComplete() const { return m_groupListComplete; }
    void setGroupListComplete(bool complete) { m_groupListComplete = complete; }

    // An operation that changes entries of these lists in place says so here, so that no lookup
    // answers from keys the entries no longer carry or misses keys they now carry, and no kept
    // browser row shows values the entries no longer hold.
    void entriesChanged() const;

    // The browser's rows: browser dictionaries of the contacts it shows, each with its search text
    // (browsersearch::searchText) at the same position.
    const QList<QVariantMap> &browserRows() const { return m_browserRows; }
    const QStringList &browserSearchTexts() const { return m_browserSearchTexts; }
    void setBrowserRows(QList<QVariantMap> rows, QStringList searchTexts);
    // The row at the position, for the same contact, made anew.
    void replaceBrowserRow(int position, QVariantMap row);
    // Positions of the rows whose "gID" is the identifier, in row order.
    QList<int> browserRowPositions(const QString &gID) const;

    // The browser row of each contact, made once and kept until its entry leaves the contacts or
    // entriesChanged says entries were changed in place: the browser asks for the rows of another
    // group set at every selection change, and building rows is by far the slowest part of it.
    struct KeptBrowserRow
    {
        QVariantMap row;
        QString searchText;
    };
    const KeptBrowserRow *keptBrowserRow(const GDataEntryContact &contact) const;
    void keepBrowserRow(const GDataEntryContactPtr &contact, KeptBrowserRow kept);

    // The identifier index as last rebuilt; between rebuilds it does not follow edits.
    const std::vector<GoogleIDRow> &gAllIDs() const { return m_gAllIDs; }
    // Rebuilds it from the lists as they stand and stores the number of contacts without title
    // in the preference googleEmailOnlyCount.
    void setGAllIDs();
    void clearGAllIDs() { m_gAllIDs.clear(); }

    ContactIndex &contactIndex() const { return m_contactIndex; }
    GroupIndex &groupIndex() const { return m_groupIndex; }

private:
    std::vector<GDataEntryContactGroupPtr> m_groups;
    std::vector<GDataEntryContactPtr> m_contacts;
    QList<QVariantMap> m_browserRows;
    QStringList m_browserSearchTexts;
    // The entry is held with its row, so that no other entry can take its address while the row
    // is kept.
    struct KeptEntryRow
    {
        GDataEntryContactPtr entry;
        KeptBrowserRow kept;
    };
    mutable QHash<const GDataEntryContact *, KeptEntryRow> m_keptRows;
    mutable std::optional<QHash<QString, QList<int>>> m_browserRowsByID;
    std::vector<GoogleIDRow> m_gAllIDs;
    bool m_contactListComplete = false;
    bool m_groupListComplete = false;
    mutable ContactIndex m_contactIndex;
    mutable GroupIndex m_groupIndex;
};
