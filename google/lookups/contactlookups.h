// Google contacts of the engine's lists by identifier, e-mail address, photo ETag, group and
// name. Every lookup answers from the local lists, never from Google.
#pragma once

#include "google/engine/googlecontactlists.h"

#include <QList>
#include <QString>

namespace contactlookups {

// Null when the identifier is null, or when none or several contacts have it (logged).
GDataEntryContactPtr contactForID(const GoogleContactLists &lists, const QString &identifier);
// The one contact with the address, compared without regard to case; null otherwise.
GDataEntryContactPtr contactForEmailAddress(const GoogleContactLists &lists,
                                            const QString &address);
// Null when none or several contacts have the photo ETag (logged).
GDataEntryContactPtr contactForETag(const GoogleContactLists &lists, const QString &etag);

// The contact whose own program property holds the gID (aID); the first of several (logged).
// Null for a null or empty argument.
GDataEntryContactPtr contactForGID(const GoogleContactLists &lists, const QString &gid);
GDataEntryContactPtr contactForABID(const GoogleContactLists &lists, const QString &abid);

// The contacts with a membership of the group, in list order; none for a null or empty id.
QList<GDataEntryContactPtr> membersOfGroupID(const GoogleContactLists &lists,
                                             const QString &groupID);
int countOfMembersOfGroupID(const GoogleContactLists &lists, const QString &groupID);

// What the name match needs of an address book record.
struct PersonNames
{
    enum class Kind { Person, Company, Neither };
    Kind kind = Kind::Neither;
    // The title a contact made from the record would carry, the company's name preferred.
    QString expectedTitle = {};
    QString first = {};
    QString middle = {};
    QString nick = {};
    QString last = {};
};

// The one contact whose title holds both names as whole words, in either order (case and
// diacritics ignored); null when none or several do.
GDataEntryContactPtr contactHoldingNames(const GoogleContactLists &lists, const QString &given,
                                         const QString &last);

// The one contact titled exactly the expected title; else, for a person, the one contact whose
// title holds the last name and a given name as whole words (case and diacritics ignored); for a
// company, the one contact with an organisation of that name. Null otherwise.
GDataEntryContactPtr contactForName(const GoogleContactLists &lists, const PersonNames &names);

} // namespace contactlookups
