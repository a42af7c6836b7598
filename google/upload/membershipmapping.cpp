#include "google/upload/membershipmapping.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/groupancestry.h"
#include "addressbook/records/recordlookup.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QSet>

#include <algorithm>

namespace membershipmapping {
namespace {

const QString kSystemGroupTitleFormat = QStringLiteral("System Group: %1");

QStringList personGroupIDs(const PersonPtr &person)
{
    UserDefaults &defaults = UserDefaults::standard();
    const bool recursive = defaults.integerForKey(googlekeys::gmRecurseGroups) == 1 ||
                           defaults.boolForKey(googlekeys::autoABSelectedGroupsIncludeNestedGroups);
    const QSet<QString> ids = recursive
                                  ? AddressBookTool::allRecursiveGroupIDsForABID(person->uniqueId())
                                  : AddressBookTool::allGroupIDsForABID(person->uniqueId());
    QStringList sorted(ids.cbegin(), ids.cend());
    sorted.sort();
    return sorted;
}

// The one Google group that satisfies the test; null when none or several do.
template <typename Test>
GDataEntryContactGroupPtr onlyGroup(const std::vector<GDataEntryContactGroupPtr> &groups, Test test)
{
    GDataEntryContactGroupPtr found;
    for (const GDataEntryContactGroupPtr &group : groups) {
        if (!test(*group))
            continue;
        if (found)
            return nullptr;
        found = group;
    }
    return found;
}

GDataEntryContactGroupPtr groupWithTitle(const std::vector<GDataEntryContactGroupPtr> &groups,
                                         const QString &title)
{
    return onlyGroup(groups, [&](const GDataEntryContactGroup &group) {
        return group.title() && *group.title() == title;
    });
}

QString googleGroupIDForABGroup(const GroupPtr &abGroup,
                                const std::vector<GDataEntryContactGroupPtr> &groups,
                                const QString &idProperty)
{
    const QString storedID = abGroup->valueForProperty(idProperty).toString();
    if (!storedID.isEmpty()) {
        const GDataEntryContactGroupPtr linked =
            onlyGroup(groups, [&](const GDataEntryContactGroup &group) {
                return group.identifier() == storedID;
            });
        if (linked)
            return linked->identifier();
    }
    const QString name = abGroup->valueForProperty(kABGroupNameProperty).toString();
    GDataEntryContactGroupPtr named = groupWithTitle(groups, name);
    if (!named)
        named = groupWithTitle(groups, kSystemGroupTitleFormat.arg(name));
    if (!named || named->identifier().isEmpty())
        return QString();
    AddressBookTool::setGoogleID(named->identifier(), abGroup);
    return named->identifier();
}

bool holdsMembership(const GDataEntryContact &contact, const QString &href)
{
    const auto &memberships = contact.groupMembershipInfos();
    return std::any_of(memberships.cbegin(), memberships.cend(),
                       [&](const GDataGroupMembershipInfo &info) { return info.href == href; });
}

void addMembership(GDataEntryContact &contact, const QString &href)
{
    if (!href.isEmpty() && !holdsMembership(contact, href))
        contact.addGroupMembershipInfo(GDataGroupMembershipInfo::groupMembershipInfoWithHref(href));
}

void removeLeftMemberships(GDataEntryContact &contact, const QSet<QString> &kept,
                           const QSet<QString> &linked)
{
    std::vector<GDataGroupMembershipInfo> memberships;
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        if (kept.contains(info.href) || !linked.contains(info.href))
            memberships.push_back(info);
    }
    contact.setGroupMembershipInfos(memberships);
}

} // namespace

QSet<QString> linkedGoogleGroupIDs()
{
    const QString idProperty = AddressBookTool::groupIDPropertyName();
    QSet<QString> linked;
    for (const GroupPtr &group : AddressBook::shared()->groups()) {
        const QString id = group->valueForProperty(idProperty).toString();
        if (!id.isEmpty())
            linked.insert(id);
    }
    return linked;
}

QString googleGroupLinkForABGroup(const GroupPtr &abGroup,
                                  const std::vector<GDataEntryContactGroupPtr> &groups)
{
    return googleGroupIDForABGroup(abGroup, groups, AddressBookTool::groupIDPropertyName());
}

QStringList googleGroupLinksForABPerson(const PersonPtr &person,
                                        const std::vector<GDataEntryContactGroupPtr> &groups)
{
    const QString idProperty = AddressBookTool::groupIDPropertyName();
    QStringList links;
    for (const QString &groupID : personGroupIDs(person)) {
        const GroupPtr abGroup = AddressBookTool::groupByABID(groupID);
        if (!abGroup)
            continue;
        const QString link = googleGroupIDForABGroup(abGroup, groups, idProperty);
        if (!link.isEmpty() && !links.contains(link))
            links.append(link);
    }
    return links;
}

void abMembershipsFor(GDataEntryContact &contact, const PersonPtr &person,
                      const std::vector<GDataEntryContactGroupPtr> &groups,
                      const QString &myContactsID)
{
    const QStringList links = googleGroupLinksForABPerson(person, groups);
    QSet<QString> kept(links.cbegin(), links.cend());
    if (!myContactsID.isEmpty())
        kept.insert(myContactsID);
    keepMemberships(contact, kept, linkedGoogleGroupIDs(), myContactsID, links);
}

void keepMemberships(GDataEntryContact &contact, const QSet<QString> &kept,
                     const QSet<QString> &linked, const QString &myContactsID,
                     const QStringList &links)
{
    removeLeftMemberships(contact, kept, linked);
    addMembership(contact, myContactsID);
    for (const QString &link : links)
        addMembership(contact, link);
}

} // namespace membershipmapping
