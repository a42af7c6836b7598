#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace AddressBookTool {

// The first related name labelled spouse, or "husband" or "wife" in any case; "" when none.
QString spouseForPerson(const PersonPtr &person);

} // namespace AddressBookTool
