// The engine's local copy of the account: the groups and contacts of the last feed fetches. The
// entries are shared with the engine's callers and changed in place by the edit operations.
#pragma once

#include "platform/gdata/gdataentrycontact.h"
#include "platform/gdata/gdataentrycontactgroup.h"

#include <vector>

class GoogleContactLists
{
public:
    const std::vector<GDataEntryContactGroupPtr> &groups() const { return m_groups; }
    const std::vector<GDataEntryContactPtr> &contacts() const { return m_contacts; }

    void setGroups(std::vector<GDataEntryContactGroupPtr> groups);
    void setContacts(std::vector<GDataEntryContactPtr> contacts);

    int groupCount() const { return int(m_groups.size()); }
    int contactCount() const { return int(m_contacts.size()); }

    // Whether the contacts are the whole account, i.e. the last contact fetch succeeded. Stored
    // links are judged stale only against a complete list: a failed fetch leaves the list empty
    // or partial, and every link would look stale.
    bool isContactListComplete() const { return m_contactListComplete; }
    void setContactListComplete(bool complete) { m_contactListComplete = complete; }

private:
    std::vector<GDataEntryContactGroupPtr> m_groups;
    std::vector<GDataEntryContactPtr> m_contacts;
    bool m_contactListComplete = false;
};
