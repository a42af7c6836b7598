#pragma once

#include "addressbook/google/googleentry.h"
#include "platform/addressbook/recordclass.h"

// Pairing Google groups with address book groups: by the record identifier stored with the entry,
// then by the identifier link property, then by name.
namespace AddressBookTool {

// Changes nothing; the name test uses the title as it stands.
GroupPtr existingABGroupForGoogleGroup(const GoogleGroupEntry &entry);
// The matching group, linked, named and stamped with this transfer, or a new group added to the
// address book; never null. Not saved. A Google group whose name a smart group holds is kept as
// "(G) " and the name, so the two never share a name.
GroupPtr groupForGoogleGroup(const GoogleGroupEntry &entry);

} // namespace AddressBookTool
