#pragma once

#include "google/upload/groupancestors.h"

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The memberships of every contact built in one send (see membershipmapping::abMembershipsFor),
// with what does not change from one person to the next read once: the nesting option, which
// person is in which group, the smart groups' members and the groups' links. A link found by name
// is stamped on its group and counts as linked from then on, as it does person by person. Only
// for a send that changes no group and no person's groups while it lasts.
class MembershipLinks
{
public:
    explicit MembershipLinks(const std::vector<GDataEntryContactGroupPtr> &groups);

    void abMembershipsFor(GDataEntryContact &contact, const PersonPtr &person,
                          const QString &myContactsID);

private:
    // The identifiers of the person's groups, sorted, each once.
    QStringList groupIDsOf(const PersonPtr &person);
    QString linkOf(const GroupPtr &group);
    void readMembers();

    const std::vector<GDataEntryContactGroupPtr> &m_groups;
    bool m_recursive = false;
    QString m_idProperty;
    bool m_membersRead = false;
    // By person identifier: the groups that hold the person itself, and the smart groups it
    // matches.
    QHash<QString, QList<GroupPtr>> m_directGroups;
    QHash<QString, QList<GroupPtr>> m_smartGroups;
    GroupAncestors m_ancestors;
    struct FoundLink
    {
        QString stored;
        QString link;
    };
    QHash<const Group *, FoundLink> m_links;
    // The Google groups some address book group stores a link to; read again after a stamp.
    std::optional<QSet<QString>> m_linked;
};
