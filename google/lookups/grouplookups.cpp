#include "google/lookups/grouplookups.h"

#include "foundation/log.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/lookuplog.h"
#include "google/lookups/lookuptexts.h"

namespace grouplookups {

namespace {

GDataEntryContactGroupPtr onlyOne(const GroupIndex::Found &found)
{
    return found.size() == 1 ? found.front() : nullptr;
}

GDataEntryContactGroupPtr onlyGroupTitled(const GoogleContactLists &lists, const QString &name)
{
    return onlyOne(lists.groupIndex().withTitle(name));
}

QString systemGroupID(const GoogleContactLists &lists, const QString &systemGroup)
{
    const GroupIndex::Found found = lists.groupIndex().withSystemGroup(systemGroup);
    return found.isEmpty() ? QString() : found.front()->identifier();
}

} // namespace

GDataEntryContactGroupPtr groupForID(const GoogleContactLists &lists, const QString &identifier)
{
    if (identifier.isNull())
        return nullptr;
    const GroupIndex::Found found = lists.groupIndex().withIdentifier(identifier);
    if (found.size() > 1)
        lookuplog::nonUnique(QStringLiteral("groupForID:"), lookuptexts::nonUniqueGroupID,
                             identifier);
    return onlyOne(found);
}

GDataEntryContactGroupPtr groupForABID(const GoogleContactLists &lists, const QString &abid)
{
    if (abid.isNull())
        return nullptr;
    const GroupIndex::Found found = lists.groupIndex().withAnyABID(abid);
    if (found.size() > 1)
        lookuplog::nonUnique(QStringLiteral("groupForABID:"), lookuptexts::nonUniqueGroupABID,
                             abid);
    return found.isEmpty() ? nullptr : found.front();
}

GDataEntryContactGroupPtr groupForName(const GoogleContactLists &lists, const QString &name)
{
    if (name.isNull()) {
        tlog::message(lookuptexts::engineClass, QStringLiteral("groupForName:"),
                      lookuptexts::groupNameMissing);
        return nullptr;
    }
    if (lists.groups().empty())
        return nullptr;
    const GroupIndex::Found found = lists.groupIndex().withDisplayName(name);
    return found.isEmpty() ? nullptr : found.front();
}

QString idOfGroupWithName(const GoogleContactLists &lists, const QString &name)
{
    const GDataEntryContactGroupPtr group = onlyGroupTitled(lists, name);
    return group ? group->identifier() : QStringLiteral("");
}

QString nameOfGroupWithID(const GoogleContactLists &lists, const QString &identifier)
{
    const GDataEntryContactGroupPtr group = onlyOne(lists.groupIndex().withIdentifier(identifier));
    return group ? group->title().value_or(QStringLiteral("")) : QStringLiteral("");
}

QList<GDataEntryContactPtr> membersOfGroupName(const GoogleContactLists &lists, const QString &name)
{
    const GDataEntryContactGroupPtr group = onlyGroupTitled(lists, name);
    return group ? contactlookups::membersOfGroupID(lists, group->identifier())
                 : QList<GDataEntryContactPtr>();
}

QString familySysGroupID(const GoogleContactLists &lists)
{
    return systemGroupID(lists, QStringLiteral("Family"));
}

QString friendsSysGroupID(const GoogleContactLists &lists)
{
    return systemGroupID(lists, QStringLiteral("Friends"));
}

QString coworkersSysGroupID(const GoogleContactLists &lists)
{
    return systemGroupID(lists, QStringLiteral("Coworkers"));
}

QString myContactsID(const GoogleContactLists &lists)
{
    return systemGroupID(lists, QStringLiteral("Contacts"));
}

} // namespace grouplookups
