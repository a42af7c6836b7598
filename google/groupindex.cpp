#include "google/groupindex.h"

#include "addressbook/addressbookkeys.h"

namespace {

QStringList identifierOf(const GDataEntryContactGroup &group)
{
    return {group.identifier()};
}

QStringList titleOf(const GDataEntryContactGroup &group)
{
    if (!group.title())
        return {};
    return {*group.title()};
}

QStringList abidsOf(const GDataEntryContactGroup &group)
{
    QStringList abids;
    for (const GDataExtendedProperty &property : group.extendedProperties()) {
        if (const std::optional<QString> abid =
                property.XMLValueForKey(abkeys::extendedRecordIDKey))
            abids.append(*abid);
    }
    return abids;
}

QStringList systemGroupOf(const GDataEntryContactGroup &group)
{
    if (!group.systemGroup())
        return {};
    return {*group.systemGroup()};
}

} // namespace

GroupIndex::GroupIndex(const Groups &groups)
    : m_groups(groups)
    , m_identifiers(identifierOf)
    , m_titles(titleOf)
    , m_abids(abidsOf)
    , m_systemGroups(systemGroupOf)
{}

void GroupIndex::invalidate()
{
    for (auto *index : {&m_identifiers, &m_titles, &m_abids, &m_systemGroups})
        index->invalidate();
}

GroupIndex::Found GroupIndex::withIdentifier(const QString &identifier)
{
    return m_identifiers.entriesForKey(m_groups, identifier);
}

GroupIndex::Found GroupIndex::withTitle(const QString &title)
{
    return m_titles.entriesForKey(m_groups, title);
}

GroupIndex::Found GroupIndex::withAnyABID(const QString &abid)
{
    return m_abids.entriesForKey(m_groups, abid);
}

GroupIndex::Found GroupIndex::withSystemGroup(const QString &systemGroup)
{
    return m_systemGroups.entriesForKey(m_groups, systemGroup);
}
