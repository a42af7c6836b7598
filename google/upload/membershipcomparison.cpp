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

#include <QVarLengthArray>

#include <algorithm>

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

namespace {

// The few links of one person, held without the heap and compared as sets once sorted and rid of
// repeats: this runs for every record of the book.
using Links = QVarLengthArray<QString, 8>;

void makeSet(Links &links)
{
    std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());
}

} // namespace

bool MembershipComparison::differ(const GDataEntryContact &contact, const PersonPtr &person)
{
    // My Contacts is no group of the book, and smart groups count only when they are uploaded.
    const auto counts = [this](const QString &link) {
        return link != m_myContacts && (m_smartGroups || !m_smartLinks.contains(link));
    };
    Links expected;
    for (const GroupPtr &group : groupsOf(person)) {
        const QString link = linkOf(group);
        if (!link.isEmpty() && counts(link))
            expected.append(link);
    }
    Links held;
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        if (m_linked.contains(info.href) && counts(info.href))
            held.append(info.href);
    }
    makeSet(expected);
    makeSet(held);
    return expected != held;
}
