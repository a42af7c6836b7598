#pragma once

#include <QString>

// A test of a locked keyring runs its inner tests again in the same test program, under a session
// bus and a keyring of their own (tests/support/privatesession, password "test"), so that locking
// that keyring touches nothing the outer test stands on.
namespace privatekeyring {

// Whether this process is such a private run.
bool isPrivateRun();
// Runs the test program's tests that match the filter on a private keyring; false when they did
// not all pass, with what they printed.
bool runInnerTests(const QString &filter, QString *output);
// Unlocks the keyring with its password, as no prompt can be answered in a test.
bool unlockWithPassword();

} // namespace privatekeyring
