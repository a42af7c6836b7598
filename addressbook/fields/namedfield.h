#pragma once

#include <QString>

namespace AddressBookTool {

// Writes text into one field of the person with that identifier, the field named by a short key
// ("firstName", "birthday", "keyStr", "phone", "city", ...), and saves the address book. Names
// and organisation fields take the text, a birthday is read from it, keywords go into the note's
// keywords tag, and phone, URL, e-mail and the parts of an address go into the primary value of
// their kind (a new primary value, labelled by the preference abLabel, when there is none).
// False, with nothing changed, for an unknown field or person, a birthday that names no date and
// an edit the address book refuses; otherwise whether the save worked.
bool setString(const QString &text, const QString &field, const QString &abid);

} // namespace AddressBookTool
