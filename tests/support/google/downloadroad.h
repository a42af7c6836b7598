// A download from the engine's lists into the address book, driven as the data loader drives it,
// and the set-up the download tests and the download benchmark share.
#pragma once

#include <QString>

class GoogleContactTool;

namespace downloadroad {

// Every group that is not a system group is paired with an address book group or made into one;
// every contact that is not deleted is paired with a person or made into one and written into
// it; then the address book is saved once. False when a contact found no person or the save
// failed.
bool downloadIntoAddressBook(GoogleContactTool &engine);

// Every person but the Me record and every group leave the book, which is saved; false when the
// save failed.
bool emptyBook();

// The address book data mask of every field.
inline const QString kEveryFieldDataMask = QStringLiteral("1111111111-1-1-1");

// That data mask, every field a download writes switched on, and the
// city line read as city, state and ZIP, as the application shell registers it.
void useDownloadOptions();

} // namespace downloadroad
