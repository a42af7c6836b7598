#include "google/upload/groupancestors.h"

#include "platform/addressbook/group.h"

#include <QSet>

const QList<GroupPtr> &GroupAncestors::of(const GroupPtr &group)
{
    const auto found = m_ancestors.constFind(group.get());
    if (found != m_ancestors.cend())
        return *found;
    QList<GroupPtr> ancestors;
    QSet<const Group *> seen;
    QList<GroupPtr> pending{group};
    while (!pending.isEmpty()) {
        const GroupPtr next = pending.takeFirst();
        if (seen.contains(next.get()))
            continue;
        seen.insert(next.get());
        ancestors.append(next);
        pending.append(next->parentGroups());
    }
    return *m_ancestors.insert(group.get(), ancestors);
}
