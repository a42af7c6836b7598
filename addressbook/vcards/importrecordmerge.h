#pragma once

#include "platform/addressbook/recordclass.h"

#include <QVariantMap>

namespace AddressBookTool {

// Merges an import record (a dictionary of texts: "firstName", "workCity", "homePhone", ...) into
// the person without overwriting anything it holds: single fields and address parts are filled
// only where empty, and a phone, e-mail or web address is added only for a kind the person lacks.
// "isCompany" sets whether the record shows as a person ("0") or a company (any other text); the
// other flag bits stay, and a record without it leaves the flags alone. With the preference
// importAddNote the note is stamped with newRecordNote. Changes the person in memory only.
void updateOnlyNewDataForABPerson(const PersonPtr &person, const QVariantMap &record);

} // namespace AddressBookTool
