#pragma once

#include "platform/keychain/keychainitemref.h"
#include "platform/keychain/keychainresult.h"

#include <QString>

// Passwords in the user's keyring (the Secret Service, through QtKeychain). Every call returns
// when the keyring has answered: QtKeychain's jobs are asynchronous, so each call waits for its
// job on a local event loop.
namespace keychain {

struct PasswordRead
{
    KeychainResult result;
    QString password;
};

PasswordRead readPassword(const KeychainItemRef &item);

// Stores the password, replacing one kept under the same item.
KeychainResult writePassword(const KeychainItemRef &item, const QString &password);

// Stores a new item; an item that is there already makes it fail with DuplicateItem.
KeychainResult addPassword(const KeychainItemRef &item, const QString &password);

KeychainResult deletePassword(const KeychainItemRef &item);

// Moves the password of one item to another (a changed account, service, server ...). The target
// must not exist yet; on any failure both items stay as they were.
KeychainResult movePassword(const KeychainItemRef &from, const KeychainItemRef &to);

} // namespace keychain
