#pragma once

// The user's default keyring as the Secret Service on the session bus offers it: whether it can be
// used, and locking and unlocking it.
namespace secretservice {

bool isAvailable();
bool isDefaultCollectionLocked();
bool lockDefaultCollection();
// Asks the keyring to unlock; the keyring prompts the user for the password itself, so this only
// starts the prompt and returns whether the keyring accepted the request.
bool unlockDefaultCollection();

} // namespace secretservice
