#pragma once

#include "addressbook/google/googleentry.h"

#include <optional>

// What the pairing of Google entries with records reads of an entry.
namespace AddressBookTool {

// The record identifier that the program stored with the entry: the "aID" value of the one
// extended property of that name. Nothing when there is no such property or several, or when the
// value is missing or empty.
std::optional<QString> storedRecordID(const GoogleEntry &entry, const QString &propertyName);
// The primary e-mail address, else the first one.
std::optional<QString> matchingEmail(const GoogleContactEntry &contact);

} // namespace AddressBookTool
