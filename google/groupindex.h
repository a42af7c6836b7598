// The keys the group lookups search by, each indexed on first use over the engine's group list.
// Every answer lists the groups in list order.
#pragma once

#include "google/entrykeyindex.h"
#include "platform/gdata/gdataentrycontactgroup.h"

#include <QList>

class GroupIndex
{
public:
    using Groups = std::vector<GDataEntryContactGroupPtr>;
    using Found = QList<GDataEntryContactGroupPtr>;

    explicit GroupIndex(const Groups &groups);
    GroupIndex(const GroupIndex &) = delete;
    GroupIndex &operator=(const GroupIndex &) = delete;

    // Forgets every key; the next lookup indexes the list as it then stands.
    void invalidate();

    Found withIdentifier(const QString &identifier);
    // The title as stored, exactly.
    Found withTitle(const QString &title);
    // The groups with any extended property, whatever its name, whose aID element is the
    // identifier.
    Found withAnyABID(const QString &abid);
    Found withSystemGroup(const QString &systemGroup);

private:
    const Groups &m_groups;
    EntryKeyIndex<GDataEntryContactGroup> m_identifiers;
    EntryKeyIndex<GDataEntryContactGroup> m_titles;
    EntryKeyIndex<GDataEntryContactGroup> m_abids;
    EntryKeyIndex<GDataEntryContactGroup> m_systemGroups;
};
