#include "google/upload/membershiplinks.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/membershipmapping.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <algorithm>

MembershipLinks::MembershipLinks(const std::vector<GDataEntryContactGroupPtr> &groups)
    : m_groups(groups)
{
    UserDefaults &defaults = UserDefaults::standard();
    m_recursive = defaults.integerForKey(googlekeys::gmRecurseGroups) == 1 ||
                  defaults.boolForKey(googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    m_idProperty = AddressBookTool::groupIDPropertyName();
}

void MembershipLinks::readMembers()
{
    m_membersRead = true;
    // A smart group's members are a search over the whole book: made once for every person.
    const auto add = [](QList<GroupPtr> &of, const GroupPtr &group) {
        if (!of.contains(group))
            of.append(group);
    };
    for (const GroupPtr &smart : AddressBookTool::smartABGroups()) {
        for (const PersonPtr &member : smart->members())
            add(m_smartGroups[member->uniqueId()], smart);
    }
    for (const GroupPtr &group : AddressBook::shared()->groups()) {
        if (group->isSmartGroup())
            continue;
        for (const PersonPtr &member : group->members())
            add(m_directGroups[member->uniqueId()], group);
    }
}

QStringList MembershipLinks::groupIDsOf(const PersonPtr &person)
{
    if (!m_membersRead)
        readMembers();
    // A person is in a few groups: a list sorted and made unique costs less than a set per person.
    QStringList ids;
    for (const GroupPtr &parent : m_directGroups.value(person->uniqueId())) {
        if (m_recursive) {
            for (const GroupPtr &group : m_ancestors.of(parent))
                ids.append(group->uniqueId());
        } else {
            ids.append(parent->uniqueId());
        }
    }
    for (const GroupPtr &smart : m_smartGroups.value(person->uniqueId()))
        ids.append(smart->uniqueId());
    ids.sort();
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

QString MembershipLinks::linkOf(const GroupPtr &group)
{
    const QString stored = group->valueForProperty(m_idProperty).toString();
    const auto found = m_links.constFind(group.get());
    if (found != m_links.cend() && found->stored == stored)
        return found->link;
    const QString link = membershipmapping::googleGroupLinkForABGroup(group, m_groups);
    const QString now = group->valueForProperty(m_idProperty).toString();
    if (now != stored)
        m_linked.reset();
    m_links.insert(group.get(), {now, link});
    return link;
}

void MembershipLinks::abMembershipsFor(GDataEntryContact &contact, const PersonPtr &person,
                                       const QString &myContactsID)
{
    QStringList links;
    for (const QString &groupID : groupIDsOf(person)) {
        const GroupPtr group = AddressBook::shared()->groupForUniqueId(groupID);
        if (!group)
            continue;
        const QString link = linkOf(group);
        if (!link.isEmpty() && !links.contains(link))
            links.append(link);
    }
    QSet<QString> kept(links.cbegin(), links.cend());
    if (!myContactsID.isEmpty())
        kept.insert(myContactsID);
    if (!m_linked)
        m_linked = membershipmapping::linkedGoogleGroupIDs();
    membershipmapping::keepMemberships(contact, kept, *m_linked, myContactsID, links);
}
