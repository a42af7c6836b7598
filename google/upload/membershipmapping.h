#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

// A person's address book groups as memberships of its Google contact. The groups are the
// person's direct groups, or all its groups through nesting when the options ask for that, smart
// groups included.
namespace membershipmapping {

// The identifiers of the Google groups (of the engine's group list) that the person's groups are
// linked to, in group-identifier order, each once. A group is linked by the Google identifier it
// stores; else by a Google group titled with its name, or "System Group: " and its name, when
// exactly one such group exists, and the identifier found is then stored on the group (not
// saved). A group that finds no single Google group gives none. My Contacts is not among them.
QStringList googleGroupLinksForABPerson(const PersonPtr &person,
                                        const std::vector<GDataEntryContactGroupPtr> &groups);

// The Google group (of the engine's group list) one address book group is linked to, found and
// stored as above; empty when it finds no single Google group.
QString googleGroupLinkForABGroup(const GroupPtr &abGroup,
                                  const std::vector<GDataEntryContactGroupPtr> &groups);

// The Google groups that some address book group stores a link to.
QSet<QString> linkedGoogleGroupIDs();

// Brings the contact's memberships in step with the person: a membership of My Contacts
// (myContactsID; none when it is empty), then one for each group link above that the contact
// does not hold yet. Memberships of Google groups that some address book group is linked to but
// that the person has left are removed; memberships of groups that exist only on Google stay.
void abMembershipsFor(GDataEntryContact &contact, const PersonPtr &person,
                      const std::vector<GDataEntryContactGroupPtr> &groups,
                      const QString &myContactsID);

// The second half of the above, for links already found: removes the memberships of linked groups
// that are not kept, then adds My Contacts and each link the contact does not hold yet.
void keepMemberships(GDataEntryContact &contact, const QSet<QString> &kept,
                     const QSet<QString> &linked, const QString &myContactsID,
                     const QStringList &links);

} // namespace membershipmapping
