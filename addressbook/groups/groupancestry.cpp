#include "addressbook/groups/groupancestry.h"

#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsorting.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <functional>

namespace AddressBookTool {

namespace {

QList<GroupPtr> closure(const QList<GroupPtr> &start, const GroupStep &step)
{
    return sortedByProperties(groupsReachedFrom(start, step), {kABGroupNameProperty});
}

QList<GroupPtr> parentsOf(const GroupPtr &group)
{
    return group->parentGroups();
}

QSet<QString> identifiersWithSmartGroups(const QList<GroupPtr> &groups, const QString &personABID)
{
    QSet<QString> identifiers;
    for (const GroupPtr &group : groups)
        identifiers.insert(group->uniqueId());
    for (const GroupPtr &smart : smartABGroups()) {
        for (const PersonPtr &member : smart->members()) {
            if (member->uniqueId() == personABID) {
                identifiers.insert(smart->uniqueId());
                break;
            }
        }
    }
    return identifiers;
}

} // namespace

QList<GroupPtr> groupsReachedFrom(const QList<GroupPtr> &start, const GroupStep &step)
{
    QSet<Group *> seen;
    QList<GroupPtr> found;
    QList<GroupPtr> pending = start;
    while (!pending.isEmpty()) {
        const GroupPtr group = pending.takeFirst();
        if (seen.contains(group.get()))
            continue;
        seen.insert(group.get());
        found.append(group);
        pending.append(step(group));
    }
    return found;
}

QList<GroupPtr> recursiveSubGroupsOfABGroup(const GroupPtr &group)
{
    if (!group)
        return {};
    return closure(group->subgroups(), [](const GroupPtr &g) { return g->subgroups(); });
}

QList<GroupPtr> recursiveParentGroupsOfABGroup(const GroupPtr &group)
{
    if (!group)
        return {};
    return closure(group->parentGroups(), parentsOf);
}

QList<GroupPtr> recursiveParentGroupsForABPerson(const PersonPtr &person)
{
    if (!person)
        return {};
    return closure(person->parentGroups(), parentsOf);
}

QList<GroupPtr> smartGroupsForABPerson(const PersonPtr &person)
{
    QList<GroupPtr> result;
    if (!person)
        return result;
    for (const GroupPtr &smart : smartABGroups()) {
        if (smart->members().contains(person))
            result.append(smart);
    }
    return result;
}

int countOfGroupsForPerson(const PersonPtr &person)
{
    return person ? int(person->parentGroups().size()) : 0;
}

QSet<QString> allGroupIDsForABID(const QString &personABID)
{
    const PersonPtr person = personByABID(personABID);
    return identifiersWithSmartGroups(person ? person->parentGroups() : QList<GroupPtr>(),
                                      personABID);
}

QSet<QString> allRecursiveGroupIDsForABID(const QString &personABID)
{
    return identifiersWithSmartGroups(recursiveParentGroupsForABPerson(personByABID(personABID)),
                                      personABID);
}

QList<QVariantMap> groupsForABID(const QString &personABID)
{
    QList<QVariantMap> descriptions;
    const PersonPtr person = personByABID(personABID);
    for (const GroupPtr &group : person ? person->parentGroups() : QList<GroupPtr>()) {
        descriptions.append(
            {{QStringLiteral("ABID"), group->uniqueId()},
             {QStringLiteral("ABName"), group->valueForProperty(kABGroupNameProperty).toString()}});
    }
    if (descriptions.isEmpty())
        descriptions.append({{QStringLiteral("ABID"), QStringLiteral("")},
                             {QStringLiteral("ABName"), QStringLiteral("None")}});
    return descriptions;
}

std::optional<QList<GroupPtr>> abGroupsForABID(const QString &personABID)
{
    const PersonPtr person = personByABID(personABID);
    if (!person)
        return std::nullopt;
    return sortedByProperties(person->parentGroups(), {kABGroupNameProperty});
}

} // namespace AddressBookTool
