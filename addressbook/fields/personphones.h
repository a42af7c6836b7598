#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// A person's phone numbers by label, formatted for display and for Google by the application
// delegate's phone formatting when it offers it. Texts are "" and positions -1 when nothing
// matches, also for no person.
namespace AddressBookTool {

// The number at the primary entry; without a primary, the first.
QString primaryPhoneForPerson(const PersonPtr &person);
QString workPhoneForPerson(const PersonPtr &person);
QString homePhoneForPerson(const PersonPtr &person);
// The last number labelled other or with any label that is not mobile, home, work or main (fax,
// pager and custom labels count as other).
QString otherPhoneForPerson(const PersonPtr &person);
// The first mobile or pager number, or one whose label holds "cell" or "iphone" in any case; when
// that one formats to nothing, the first main number.
QString mobilePhoneForPerson(const PersonPtr &person);

int indexOfWorkPhoneForPerson(const PersonPtr &person);
int indexOfHomePhoneForPerson(const PersonPtr &person);
// The first entry that otherPhoneForPerson counts (the value accessor takes the last).
int indexOfOtherPhoneForPerson(const PersonPtr &person);
// Only the exact mobile, pager, "cell" and "iPhone" labels count here.
int indexOfMobilePhoneForPerson(const PersonPtr &person);

} // namespace AddressBookTool
