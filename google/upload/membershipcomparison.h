#pragma once

#include "google/upload/groupancestors.h"

#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// The membership test of one comparison over many records (see uploaddecisions::membershipsDiffer):
// what does not change from one record to the next (the options, My Contacts, the smart groups'
// members, the groups' links) is read once, not once per record. Links that the test itself finds
// by name are stamped on the groups and count from then on, as they do record by record. Only
// for a run that changes no group and no person's groups while it lasts.
class MembershipComparison
{
public:
    MembershipComparison(const GoogleContactLists &lists, bool smartGroups);

    bool differ(const GDataEntryContact &contact, const PersonPtr &person);

private:
    // The person's groups: its direct groups (or, recursively, those and all theirs) and the smart
    // groups it matches, each once.
    QList<GroupPtr> groupsOf(const PersonPtr &person);
    // The groups that hold the person itself, in the book's order.
    QList<GroupPtr> directGroupsOf(const PersonPtr &person);
    QString linkOf(const GroupPtr &group);
    void readLinks();

    const GoogleContactLists &m_lists;
    const bool m_smartGroups;
    bool m_recursive = false;
    QString m_myContacts;
    QString m_idProperty;
    QList<GroupPtr> m_smart;
    // The smart groups each person is a member of.
    QHash<QString, QList<GroupPtr>> m_smartGroupsOf;
    int m_recordsCompared = 0;
    std::optional<QHash<const Person *, QList<GroupPtr>>> m_directGroups;
    GroupAncestors m_ancestors;
    // A group's Google link, found while the group stored the identifier beside it.
    struct FoundLink
    {
        QString stored;
        QString link;
    };
    QHash<const Group *, FoundLink> m_links;
    // The Google groups some address book group stores a link to, and those of smart groups.
    QSet<QString> m_linked;
    QSet<QString> m_smartLinks;
};
