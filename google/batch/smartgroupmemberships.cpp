#include "google/batch/smartgroupmemberships.h"

#include "addressbook/google/linkproperties.h"
#include "foundation/log.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QHash>

#include <algorithm>

namespace smartgroupmemberships {

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kOperation = QStringLiteral("buildSmartGroupActions");

QString linkedGroupID(const GoogleContactLists &lists, const GroupPtr &group)
{
    const QString stored =
        group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString();
    if (!stored.isEmpty())
        return stored;
    const GDataEntryContactGroupPtr named =
        grouplookups::groupForName(lists, group->valueForProperty(kABGroupNameProperty).toString());
    if (!named || named->identifier().isEmpty())
        return QString();
    AddressBookTool::setGoogleID(named->identifier(), group);
    return named->identifier();
}

bool holds(const GDataEntryContact &contact, const QString &groupID)
{
    const auto &infos = contact.groupMembershipInfos();
    return std::any_of(infos.cbegin(), infos.cend(),
                       [&](const GDataGroupMembershipInfo &info) { return info.href == groupID; });
}

class Changes
{
public:
    ContactMembershipChange &of(const GDataEntryContactPtr &contact)
    {
        auto found = m_positions.constFind(contact.get());
        if (found != m_positions.constEnd())
            return m_changes[*found];
        m_positions.insert(contact.get(), m_changes.size());
        m_changes.push_back({contact});
        return m_changes.back();
    }
    std::vector<ContactMembershipChange> take() { return std::move(m_changes); }

private:
    std::vector<ContactMembershipChange> m_changes;
    QHash<const GDataEntryContact *, size_t> m_positions;
};

void addGroupChanges(const GoogleContactLists &lists, const GroupPtr &group, const QString &groupID,
                     Changes &changes, const Progress &progress)
{
    const QList<PersonPtr> members = group->members();
    tlog::value(kClass, kOperation, QStringLiteral("[sGMembers count]"), int(members.size()));
    const QString groupName = group->valueForProperty(kABGroupNameProperty).toString();
    QStringList current;
    for (const GDataEntryContactPtr &contact : contactlookups::membersOfGroupID(lists, groupID))
        current.append(contact->identifier());
    const QString idProperty = AddressBookTool::contactIDPropertyName();
    for (const PersonPtr &member : members) {
        if (progress)
            progress(QStringLiteral("Smart Group:%1 ... %2")
                         .arg(groupName, member->valueForProperty(kABLastNameProperty).toString()));
        const QString contactID = member->valueForProperty(idProperty).toString();
        if (contactID.isEmpty()) {
            tlog::labelled(kClass, kOperation,
                           QStringLiteral("This ABContact does NOT have identifier"),
                           member->uniqueId());
            continue;
        }
        const GDataEntryContactPtr contact = contactlookups::contactForID(lists, contactID);
        if (!contact) {
            tlog::labelled(kClass, kOperation,
                           QStringLiteral("No Google Contacts with this identifier"),
                           member->uniqueId());
            continue;
        }
        if (holds(*contact, groupID))
            current.removeAll(contact->identifier());
        else
            changes.of(contact).member.append(groupID);
    }
    for (const QString &left : current) {
        if (const GDataEntryContactPtr contact = contactlookups::contactForID(lists, left))
            changes.of(contact).remove.append(groupID);
    }
}

} // namespace

std::vector<ContactMembershipChange> smartGroupChanges(const GoogleContactLists &lists,
                                                       const QList<GroupPtr> &smartGroups,
                                                       const Progress &progress)
{
    Changes changes;
    for (const GroupPtr &group : smartGroups) {
        const QString groupID = linkedGroupID(lists, group);
        if (groupID.isEmpty())
            continue;
        addGroupChanges(lists, group, groupID, changes, progress);
    }
    return changes.take();
}

void applyChange(const ContactMembershipChange &change)
{
    std::vector<GDataGroupMembershipInfo> infos;
    for (const GDataGroupMembershipInfo &info : change.contact->groupMembershipInfos()) {
        if (!change.remove.contains(info.href))
            infos.push_back(info);
    }
    for (const QString &groupID : change.member)
        infos.push_back(GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID));
    change.contact->setGroupMembershipInfos(infos);
}

} // namespace smartgroupmemberships
