#pragma once

#include "addressbook/google/googleentry.h"
#include "platform/addressbook/recordclass.h"

#include <QString>

// Pairing Google contacts with address book persons: by the record identifier stored with the
// contact, then by the identifier link property, then by e-mail address, then by the title as a
// name.
namespace AddressBookTool {

// Changes nothing. Null when nothing matches, and for a contact with neither e-mail nor title.
PersonPtr existingABPersonForGoogleContact(const GoogleContactEntry &contact);
// The matching person, linked to the contact when it was linked to none, or a new linked person
// (added and saved). A person linked to another Google contact is never taken, so two contacts
// never write into one person. Null only for a contact with neither e-mail nor title.
PersonPtr personForGoogleContact(const GoogleContactEntry &contact);
// A new person that carries only the link (and, when the preferences ask, its creation time as
// its note), added to the address book and saved.
PersonPtr createPersonWithGoogleID(const QString &googleID);

} // namespace AddressBookTool
