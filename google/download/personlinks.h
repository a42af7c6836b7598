// The Google entry an Address Book record is linked to: by the record identifier kept in the
// entry, by the identifier kept in the record, by e-mail address, by name. A link kept in the
// record that names no entry is stale and cleared, but only when the list it was looked for in is
// the whole account; the Address Book is not saved.
#pragma once

#include "google/engine/googlecontactlists.h"
#include "platform/addressbook/recordclass.h"

#include <QStringList>

namespace personlinks {

// What the address book layer says of a person for the match: its e-mail addresses in the order
// to try, and the title a contact made from it would carry (the company name preferred).
struct PersonMatchKeys
{
    QStringList orderedEmails;
    QString expectedTitle;
};

GDataEntryContactPtr contactForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                        const PersonMatchKeys &keys);
GDataEntryContactGroupPtr groupForABGroup(const GoogleContactLists &lists, const GroupPtr &group);

} // namespace personlinks
