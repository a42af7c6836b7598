#include "addressbook/groups/groupmembers.h"

#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsorting.h"
#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QSet>

namespace AddressBookTool {

namespace {

const QString kClass = QStringLiteral("AddressBookTool");

QList<PersonPtr> ofKinds(const QList<PersonPtr> &records, bool includePeople, bool includeCompanies)
{
    if (includePeople && includeCompanies)
        return records;
    QList<PersonPtr> kept;
    for (const PersonPtr &record : records) {
        if ((includePeople && personIsPerson(record)) ||
            (includeCompanies && personIsCompany(record)))
            kept.append(record);
    }
    return kept;
}

void collectRecursiveMembers(const GroupPtr &group, bool includePeople, bool includeCompanies,
                             QSet<Person *> &seen, QList<PersonPtr> &members)
{
    for (const PersonPtr &member : membersOfABGroup(group, includePeople, includeCompanies)) {
        if (!seen.contains(member.get())) {
            seen.insert(member.get());
            members.append(member);
        }
    }
    for (const GroupPtr &subgroup : group->subgroups())
        collectRecursiveMembers(subgroup, includePeople, includeCompanies, seen, members);
}

QString describe(const QVariantMap &dictionary)
{
    QStringList pairs;
    for (auto it = dictionary.cbegin(); it != dictionary.cend(); ++it)
        pairs.append(it.key() + QStringLiteral(" = ") + it.value().toString());
    return u'{' + pairs.join(QStringLiteral("; ")) + u'}';
}

QString describe(const QList<PersonPtr> &people)
{
    QStringList identifiers;
    for (const PersonPtr &person : people)
        identifiers.append(person->uniqueId());
    return u'(' + identifiers.join(QStringLiteral(", ")) + u')';
}

} // namespace

QList<PersonPtr> membersOfABGroup(const GroupPtr &group, bool includePeople, bool includeCompanies)
{
    if (!group || !(includePeople || includeCompanies))
        return {};
    return sortedByProperties(ofKinds(group->members(), includePeople, includeCompanies),
                              {kABFirstNameProperty, kABLastNameProperty, kABOrganizationProperty});
}

QList<PersonPtr> membersOfGroupID(const QString &groupABID, bool includePeople,
                                  bool includeCompanies)
{
    return membersOfABGroup(groupByABID(groupABID), includePeople, includeCompanies);
}

QList<PersonPtr> membersOfGroupName(const QString &name, bool includePeople, bool includeCompanies)
{
    return membersOfABGroup(groupByName(name), includePeople, includeCompanies);
}

QList<PersonPtr> recursiveMembersOfABGroup(const GroupPtr &group, bool includePeople,
                                           bool includeCompanies)
{
    if (!groupHasSubGroups(group))
        return membersOfABGroup(group, includePeople, includeCompanies);
    QSet<Person *> seen;
    QList<PersonPtr> members;
    collectRecursiveMembers(group, includePeople, includeCompanies, seen, members);
    return sortedByProperties(members, {kABLastNameProperty, kABOrganizationProperty});
}

QList<PersonPtr> recursiveMembersOfGroupID(const QString &groupABID, bool includePeople,
                                           bool includeCompanies)
{
    return recursiveMembersOfABGroup(groupByABID(groupABID), includePeople, includeCompanies);
}

QList<PersonPtr> recordsWithNoGroupIncludePeople(bool includePeople, bool includeCompanies)
{
    if (!(includePeople || includeCompanies))
        return {};
    // Each group's members are gathered once: asking every record for its groups walks every
    // group for each of them.
    QSet<const Person *> grouped;
    for (const GroupPtr &group : AddressBook::shared()->groups()) {
        if (group->isSmartGroup())
            continue;
        for (const PersonPtr &member : group->members())
            grouped.insert(member.get());
    }
    QList<PersonPtr> loose;
    for (const PersonPtr &record : ofKinds(allRecords(), includePeople, includeCompanies)) {
        if (!grouped.contains(record.get()))
            loose.append(record);
    }
    const QList<GroupPtr> smartGroups = smartABGroups();
    if (loose.isEmpty() || smartGroups.isEmpty())
        return loose;
    QSet<Person *> smartMembers;
    for (const GroupPtr &group : smartGroups) {
        for (const PersonPtr &member : group->members())
            smartMembers.insert(member.get());
    }
    QList<PersonPtr> result;
    for (const PersonPtr &record : loose) {
        if (!smartMembers.contains(record.get()))
            result.append(record);
    }
    return result;
}

int countNoGroupIncludePeople(bool includePeople, bool includeCompanies)
{
    return int(recordsWithNoGroupIncludePeople(includePeople, includeCompanies).size());
}

QList<PersonPtr> allMembersOfDock(const QList<QVariantMap> &dockMembers)
{
    const QString op = QStringLiteral("allMembersOfDock:");
    QStringList described;
    for (const QVariantMap &member : dockMembers)
        described.append(describe(member));
    tlog::value(kClass, op, QStringLiteral("dockMembersArray"),
                u'(' + described.join(QStringLiteral(", ")) + u')');
    QList<PersonPtr> results;
    for (const QVariantMap &member : dockMembers) {
        tlog::value(kClass, op, QStringLiteral("thisDockMember"), describe(member));
        const QString abid = member.value(QStringLiteral("abid")).toString();
        if (abid == QStringLiteral("abid"))
            continue;
        const PersonPtr person = personByABID(abid);
        if (!person)
            continue;
        tlog::value(kClass, op, QStringLiteral("thisABPerson"), person->uniqueId());
        results.append(person);
    }
    tlog::value(kClass, op, QStringLiteral("results"), describe(results));
    return results;
}

} // namespace AddressBookTool
