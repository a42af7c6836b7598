#include "google/googlecontactlists.h"

#include "google/listkeys.h"
#include "platform/defaults/userdefaults.h"

GoogleContactLists::GoogleContactLists()
    : m_contactIndex(m_contacts)
    , m_groupIndex(m_groups)
{}

void GoogleContactLists::setGroups(std::vector<GDataEntryContactGroupPtr> groups)
{
    m_groups = std::move(groups);
    m_groupIndex.invalidate();
}

void GoogleContactLists::setContacts(std::vector<GDataEntryContactPtr> contacts)
{
    m_contacts = std::move(contacts);
    m_contactIndex.invalidate();
}

void GoogleContactLists::entriesChanged() const
{
    m_contactIndex.invalidate();
    m_groupIndex.invalidate();
}

void GoogleContactLists::setGAllIDs()
{
    IdentifierIndex index = buildIdentifierIndex(m_groups, m_contacts);
    m_gAllIDs = std::move(index.rows);
    UserDefaults::standard().setInteger(index.emailOnlyCount, listkeys::googleEmailOnlyCount);
}
