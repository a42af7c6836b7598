#include "google/googlecontactlists.h"

void GoogleContactLists::setGroups(std::vector<GDataEntryContactGroupPtr> groups)
{
    m_groups = std::move(groups);
}

void GoogleContactLists::setContacts(std::vector<GDataEntryContactPtr> contacts)
{
    m_contacts = std::move(contacts);
}
