// A download from the engine's lists into the address book, driven as the data loader drives it.
#pragma once

class GoogleContactTool;

namespace downloadroad {

// Every group that is not a system group is paired with an address book group or made into one;
// every contact that is not deleted is paired with a person or made into one and written into
// it; then the address book is saved once. False when a contact found no person or the save
// failed.
bool downloadIntoAddressBook(GoogleContactTool &engine);

} // namespace downloadroad
