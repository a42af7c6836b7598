#include "addressbook/groups/groupediting.h"

#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

GroupPtr addNewGroup(const QString &name)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(name, kABGroupNameProperty);
    AddressBook::shared()->addRecord(group);
    return abSave() ? group : nullptr;
}

bool deleteGroup(const QString &name)
{
    const GroupPtr group = groupByName(name);
    return group && AddressBook::shared()->removeRecord(group);
}

void removeAllMembersFromGroup(const GroupPtr &group)
{
    if (!group || isSmartGroup(group->uniqueId()))
        return;
    for (const PersonPtr &member : group->members())
        group->removeMember(member);
}

void addPersonForABID(const QString &personABID, const GroupPtr &group)
{
    const PersonPtr person = personByABID(personABID);
    if (person && group)
        group->addMember(person);
    abSave();
}

void addPerson(const PersonPtr &person, const QString &groupName)
{
    const GroupPtr group = groupByName(groupName);
    if (person && group)
        group->addMember(person);
    abSave();
}

void removePerson(const PersonPtr &person, const QString &groupName)
{
    const GroupPtr group = groupByName(groupName);
    if (person && group)
        group->removeMember(person);
    abSave();
}

bool addNewSubGroup(const GroupPtr &group, const GroupPtr &parent)
{
    if (!group || !parent || !parent->addSubgroup(group))
        return false;
    return abSave();
}

bool addGroupRecord(const GroupPtr &group, const QString &parentName)
{
    return addNewSubGroup(group, groupByName(parentName));
}

bool addGroupNamed(const QString &groupName, const QString &parentName)
{
    return addNewSubGroup(groupByName(groupName), groupByName(parentName));
}

} // namespace AddressBookTool
