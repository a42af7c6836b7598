#pragma once

#include <QString>

// Locking the keyring would disturb every other test that uses the shared one at the same time. So
// a test of a locked keyring runs its inner tests again in the same test program, under a session
// bus and a keyring of their own (password "test", as the test session's).
namespace privatekeyring {

// Whether this process is such a private run.
bool isPrivateRun();
// Runs the test program's tests that match the filter on a private keyring; false when they did
// not all pass, with what they printed.
bool runInnerTests(const QString &filter, QString *output);
// Unlocks the keyring with its password, as no prompt can be answered in a test.
bool unlockWithPassword();

} // namespace privatekeyring
