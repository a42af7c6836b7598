#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace AddressBookTool {

// The e-mail address at the primary entry; without a primary, the first; "" when there is none.
QString primaryEmailForPerson(const PersonPtr &person);

} // namespace AddressBookTool
