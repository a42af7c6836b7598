#include "addressbook/groups/grouplists.h"

#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"

#include <algorithm>

namespace AddressBookTool {

namespace {

bool hasSmartIdentifier(const GroupPtr &group)
{
    return group->uniqueId().contains(QStringLiteral("ABSmartGroup"));
}

QList<GroupPtr> groupsWhereSmartIs(bool smart)
{
    QList<GroupPtr> result;
    for (const GroupPtr &group : allGroups()) {
        if (hasSmartIdentifier(group) == smart)
            result.append(group);
    }
    return result;
}

} // namespace

QList<GroupPtr> smartABGroups()
{
    return groupsWhereSmartIs(true);
}

QList<GroupPtr> nonSmartABGroups()
{
    return groupsWhereSmartIs(false);
}

bool isSmartGroup(const QString &groupABID)
{
    const GroupPtr group = groupByABID(groupABID);
    return group && group->classProperties().contains(kABSearchElementProperty);
}

bool hasSubGroups(const QString &groupABID)
{
    return groupHasSubGroups(groupByABID(groupABID));
}

bool groupHasSubGroups(const GroupPtr &group)
{
    return group && !group->subgroups().isEmpty();
}

QSet<QString> groupIDsIncludeSmart(bool)
{
    QSet<QString> identifiers;
    for (const GroupPtr &group : allGroups())
        identifiers.insert(group->uniqueId());
    return identifiers;
}

QStringList groupNamesIncludeSmart(bool)
{
    QStringList names;
    for (const GroupPtr &group : allGroups())
        names.append(group->valueForProperty(kABGroupNameProperty).toString());
    names.removeDuplicates();
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace AddressBookTool
