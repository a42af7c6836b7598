#pragma once

#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/recordclass.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

// Address book smart groups mirrored as memberships of the Google groups linked to them. The
// changes are gathered per contact, so that a contact goes out once with all of them; sending
// several copies of one contact in a batch lets the last copy silently undo the others.
namespace smartgroupmemberships {

struct ContactMembershipChange
{
    GDataEntryContactPtr contact;
    // Google group identifiers to join and to leave.
    QStringList member = {};
    QStringList remove = {};
};

// Told "Smart Group:<group name> ... <last name>" as each member is examined.
using Progress = std::function<void(const QString &)>;

// A smart group without a stored Google identifier takes the one of the Google group of its
// name, which is stamped on it (not saved); a smart group with neither is skipped. Members
// without a linked contact are skipped; Google members the smart group no longer holds leave.
std::vector<ContactMembershipChange> smartGroupChanges(const GoogleContactLists &lists,
                                                       const QList<GroupPtr> &smartGroups,
                                                       const Progress &progress = {});

// The contact with the change applied in place.
void applyChange(const ContactMembershipChange &change);

} // namespace smartgroupmemberships
