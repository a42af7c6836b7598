#include "google/upload/groupancestors.h"

#include "addressbook/groups/groupancestry.h"
#include "platform/addressbook/group.h"

const QList<GroupPtr> &GroupAncestors::of(const GroupPtr &group)
{
    const auto found = m_ancestors.constFind(group.get());
    if (found != m_ancestors.cend())
        return *found;
    return *m_ancestors.insert(
        group.get(), AddressBookTool::groupsReachedFrom(
                         {group}, [](const GroupPtr &next) { return next->parentGroups(); }));
}
