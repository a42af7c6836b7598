#include "google/upload/membershipcomparison.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "google/lookups/grouplookups.h"
#include "google/upload/googleelementkeys.h"
#include "google/upload/membershipmapping.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

MembershipComparison::MembershipComparison(const GoogleContactLists &lists, bool smartGroups)
    : m_lists(lists)
    , m_smartGroups(smartGroups)
{
    UserDefaults &defaults = UserDefaults::standard();
    m_recursive = defaults.integerForKey(googlekeys::gmRecurseGroups) == 1 ||
                  defaults.boolForKey(googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    m_myContacts = grouplookups::myContactsID(lists);
    m_idProperty = AddressBookTool::groupIDPropertyName();
    m_smart = AddressBookTool::smartABGroups();
    // A smart group's members are a search over the whole book: made once for every person.
    for (const GroupPtr &smart : std::as_const(m_smart)) {
        for (const PersonPtr &member : smart->members()) {
            QList<GroupPtr> &of = m_smartGroupsOf[member->uniqueId()];
            if (!of.contains(smart))
                of.append(smart);
        }
    }
    readLinks();
}

void MembershipComparison::readLinks()
{
    m_linked = membershipmapping::linkedGoogleGroupIDs();
    m_smartLinks.clear();
    for (const GroupPtr &group : std::as_const(m_smart)) {
        const QString id = group->valueForProperty(m_idProperty).toString();
        if (!id.isEmpty())
            m_smartLinks.insert(id);
    }
}

QList<GroupPtr> MembershipComparison::groupsOf(const PersonPtr &person)
{
    QList<GroupPtr> groups;
    QSet<const Group *> seen;
    const auto add = [&](const GroupPtr &group) {
        if (!seen.contains(group.get())) {
            seen.insert(group.get());
            groups.append(group);
        }
    };
    for (const GroupPtr &parent : directGroupsOf(person)) {
        if (m_recursive) {
            for (const GroupPtr &group : m_ancestors.of(parent))
                add(group);
        } else {
            add(parent);
        }
    }
    for (const GroupPtr &smart : m_smartGroupsOf.value(person->uniqueId()))
        add(smart);
    return groups;
}

QList<GroupPtr> MembershipComparison::directGroupsOf(const PersonPtr &person)
{
    // One record's groups are asked of the record; from the second on, every group's members
    // are read once for all of them, as a record asks every group whether it holds it.
    if (++m_recordsCompared < 2)
        return person->parentGroups();
    if (!m_directGroups) {
        m_directGroups.emplace();
        for (const GroupPtr &group : AddressBook::shared()->groups()) {
            if (group->isSmartGroup())
                continue;
            for (const PersonPtr &member : group->members())
                (*m_directGroups)[member.get()].append(group);
        }
    }
    return m_directGroups->value(person.get());
}

QString MembershipComparison::linkOf(const GroupPtr &group)
{
    const QString stored = group->valueForProperty(m_idProperty).toString();
    const auto found = m_links.constFind(group.get());
    if (found != m_links.cend() && found->stored == stored)
        return found->link;
    const QString link = membershipmapping::googleGroupLinkForABGroup(group, m_lists.groups());
    const QString now = group->valueForProperty(m_idProperty).toString();
    // A link found by name was stamped on the group: it counts as linked from now on.
    if (now != stored)
        readLinks();
    m_links.insert(group.get(), {now, link});
    return link;
}

bool MembershipComparison::differ(const GDataEntryContact &contact, const PersonPtr &person)
{
    QSet<QString> expected;
    for (const GroupPtr &group : groupsOf(person)) {
        const QString link = linkOf(group);
        if (!link.isEmpty())
            expected.insert(link);
    }
    QSet<QString> held;
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        if (m_linked.contains(info.href))
            held.insert(info.href);
    }
    expected.remove(m_myContacts);
    held.remove(m_myContacts);
    if (!m_smartGroups) {
        expected.subtract(m_smartLinks);
        held.subtract(m_smartLinks);
    }
    return expected != held;
}
