#pragma once

#include "platform/addressbook/recordclass.h"

#include <QHash>
#include <QList>

// Each group and every group it is in, through nesting, worked out once per group for the
// lifetime of the cache: a send or a comparison asks for the same groups person after person.
class GroupAncestors
{
public:
    // The group first, then the groups above it as nesting reaches them, each once.
    const QList<GroupPtr> &of(const GroupPtr &group);

private:
    QHash<const Group *, QList<GroupPtr>> m_ancestors;
};
