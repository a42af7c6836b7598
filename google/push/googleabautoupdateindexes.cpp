#include "google/push/googleabautoupdate.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personnames.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/groupancestry.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordlists.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/listkeys.h"
#include "google/upload/googleelementkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/record.h"
#include "platform/defaults/userdefaults.h"

namespace {

QStringList idsOf(const QList<GroupPtr> &groups)
{
    QStringList ids;
    for (const GroupPtr &group : groups)
        ids << group->uniqueId();
    return ids;
}

ABIndexRow indexRow(const Record &record, const AddressBookTool::LinkPropertyNames &names)
{
    const auto text = [&record](const QString &property) {
        return record.valueForProperty(property).toString();
    };
    ABIndexRow row;
    row.abid = record.uniqueId();
    const QDateTime modified = record.valueForProperty(kABModificationDateProperty).toDateTime();
    row.abModDate = modified.isValid()
                        ? modified
                        : record.valueForProperty(kABCreationDateProperty).toDateTime();
    row.asOfDate = text(names.asOfDate);
    row.gid = text(names.identifier);
    row.dataMask = text(names.dataMask);
    row.gVersion = text(names.version);
    return row;
}

} // namespace

void GoogleABAutoUpdate::setGAllIDs()
{
    if (!m_tool)
        return;
    IdentifierIndex index = buildIdentifierIndex(m_tool->groupArray(), m_tool->contactArray());
    m_gAllIDs = std::move(index.rows);
    UserDefaults::standard().setInteger(index.emailOnlyCount, listkeys::googleEmailOnlyCount);
}

void GoogleABAutoUpdate::setABBackingData()
{
    const auto value = [this](const QString &key) {
        return m_tool ? m_tool->defaultValueForKey(key)
                      : UserDefaults::standard().objectForKey(key);
    };
    const bool recurse = value(googlekeys::gmRecurseGroups).toInt() == 1;
    const bool people = value(abkeys::gmUpdatePeople).toBool();
    const bool companies = value(abkeys::gmUpdateCompanies).toBool();
    const AddressBookTool::LinkPropertyNames groupNames = AddressBookTool::groupLinkPropertyNames();
    const AddressBookTool::LinkPropertyNames contactNames =
        AddressBookTool::contactLinkPropertyNames();

    m_abAllIDs.clear();
    for (const GroupPtr &group : AddressBookTool::allGroups()) {
        ABIndexRow row = indexRow(*group, groupNames);
        row.name = group->valueForProperty(kABGroupNameProperty).toString();
        row.isGroup = true;
        row.parentGroups = idsOf(group->parentGroups());
        m_abAllIDs << row;
    }
    for (const PersonPtr &person : AddressBookTool::allRecords()) {
        ABIndexRow row = indexRow(*person, contactNames);
        row.name = AddressBookTool::firstLastNameForPerson(person);
        row.isPerson = true;
        row.parentGroups = idsOf(AddressBookTool::recursiveParentGroupsForABPerson(person));
        m_abAllIDs << row;
    }

    m_smartGroups.clear();
    m_monitoredSmartMembers.clear();
    for (const GroupPtr &group : AddressBookTool::smartABGroups()) {
        SmartGroupRow row;
        row.groupName = group->valueForProperty(kABGroupNameProperty).toString();
        row.groupCount =
            int((recurse ? AddressBookTool::recursiveMembersOfABGroup(group, people, companies)
                         : AddressBookTool::membersOfABGroup(group, people, companies))
                    .size());
        row.groupABID = group->uniqueId();
        row.groupGoogleID = group->valueForProperty(groupNames.identifier).toString();
        m_smartGroups << row;
        for (const PersonPtr &member :
             AddressBookTool::recursiveMembersOfABGroup(group, true, true))
            m_monitoredSmartMembers.insert(member->uniqueId());
    }
    AddressBookTool::setUserDefaultCounts();
}
