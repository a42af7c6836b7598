#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

namespace AddressBookTool {

// A Google contact's title line for the person, under the preferences gmUpdateNameFormat (0:
// given names first; else "last, given"), gmUpdateNicknameUsage (1: the nickname in quotes after
// the first name; 2: the nickname in place of first and middle names) and gmUpdateKeepSeperate
// (1: a company's title is its organisation alone). With orgIfPossible a company's organisation
// leads the title. Parts are joined by single blanks; never empty: "Unknown" when nothing is
// present, also for no person.
QString googleTitleForPerson(const PersonPtr &person, bool orgIfPossible);

} // namespace AddressBookTool
