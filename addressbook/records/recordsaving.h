#pragma once

#include "platform/addressbook/recordclass.h"

#include <QString>

// Removing records under the user's preferences, and saving the address book.
namespace AddressBookTool {

// Whether the preferences let an update from Google remove the record. The Me record never.
bool canDeleteRecord(const RecordPtr &record);
// Removes the record without asking canDeleteRecord and without saving.
bool deleteRecord(const RecordPtr &record);
// The same for the person with that identifier; false for a group's identifier.
bool deleteRecordForABID(const QString &abid);

// Writes every unsaved change of this program and answers whether that worked; true with nothing
// to write. Other programs, the agent among them, see changes only once they are saved, and a
// link to Google that stays unsaved is lost with a crash and duplicates the contact at the next
// update, so every call writes.
bool abSave();

} // namespace AddressBookTool
