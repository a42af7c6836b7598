#pragma once

#include <QString>

// How a keychain call ended. "Not found" is told apart from a keychain that cannot be used at all
// (locked, no Secret Service on the bus), so a caller never takes a locked keyring for a missing
// password.
enum class KeychainStatus {
    Success,
    ItemNotFound,
    DuplicateItem,
    Unavailable,
    Failed,
};

struct KeychainResult
{
    KeychainStatus status = KeychainStatus::Success;
    QString message; // the keychain's own text for a failure, empty on success

    bool ok() const { return status == KeychainStatus::Success; }
};

// The readable text of a failure, for log lines.
QString keychainStatusText(const KeychainResult &result);
