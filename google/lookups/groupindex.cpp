#include "google/lookups/groupindex.h"

#include "addressbook/addressbookkeys.h"
#include "google/entries/groupaccessors.h"

#include <algorithm>

namespace groupkeys {

bool Identifier::has(const GDataEntryContactGroup &group, const QString &key)
{
    return group.identifier() == key;
}

bool Title::has(const GDataEntryContactGroup &group, const QString &key)
{
    return group.title() == key;
}

bool DisplayName::has(const GDataEntryContactGroup &group, const QString &key)
{
    return nameOf(group) == key;
}

QString DisplayName::nameOf(const GDataEntryContactGroup &group)
{
    return tolvane::entryDisplayName(group);
}

bool AnyABID::has(const GDataEntryContactGroup &group, const QString &key)
{
    const std::vector<GDataExtendedProperty> &properties = group.extendedProperties();
    return std::any_of(properties.begin(), properties.end(),
                       [&](const GDataExtendedProperty &property) {
                           return property.XMLValueForKey(recordIDKey()) == key;
                       });
}

QString AnyABID::recordIDKey()
{
    return abkeys::extendedRecordIDKey;
}

bool SystemGroup::has(const GDataEntryContactGroup &group, const QString &key)
{
    return group.systemGroup() == key;
}

} // namespace groupkeys

void GroupIndex::invalidate()
{
    m_identifiers.invalidate();
    m_titles.invalidate();
    m_displayNames.invalidate();
    m_abids.invalidate();
    m_systemGroups.invalidate();
}

GroupIndex::Found GroupIndex::withIdentifier(const QString &identifier)
{
    return m_identifiers.entriesForKey<Found>(m_groups, identifier);
}

GroupIndex::Found GroupIndex::withTitle(const QString &title)
{
    return m_titles.entriesForKey<Found>(m_groups, title);
}

GroupIndex::Found GroupIndex::withDisplayName(const QString &name)
{
    return m_displayNames.entriesForKey<Found>(m_groups, name);
}

GroupIndex::Found GroupIndex::withAnyABID(const QString &abid)
{
    return m_abids.entriesForKey<Found>(m_groups, abid);
}

GroupIndex::Found GroupIndex::withSystemGroup(const QString &systemGroup)
{
    return m_systemGroups.entriesForKey<Found>(m_groups, systemGroup);
}
