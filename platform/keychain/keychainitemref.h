#pragma once

#include <QString>

#include <cstdint>

// Where one password lives in the user's keyring: the service it is stored under and the account.
// A generic password is kept under its own service name; an internet password under a service
// name made of its protocol (the four-character code in hexadecimal), server, port and path, so
// that two internet passwords differ exactly when one of those does.
struct KeychainItemRef
{
    QString service;
    QString account;

    bool operator==(const KeychainItemRef &) const = default;
};

KeychainItemRef genericItemRef(const QString &serviceName, const QString &account);
KeychainItemRef internetItemRef(const QString &server, const QString &account, const QString &path,
                                int port, std::uint32_t protocol);
