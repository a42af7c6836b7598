#pragma once

#include "foundation/keychain/emgenerickeychainitem.h"
#include "foundation/keychain/eminternetkeychainitem.h"
#include "platform/keychain/keychainresult.h"

#include <QString>

#include <cstdint>
#include <memory>

// Finds and adds the passwords of the user's keyring. One proxy per program, made on first use.
// A find answers null both when no item is stored and when the keyring cannot be used; the
// optional status tells the two apart, and a keyring that cannot be used is always logged, so a
// locked keyring is never taken for a missing password.
class EMKeychainProxy
{
public:
    static EMKeychainProxy &sharedProxy();

    void lockKeychain();
    // The keyring prompts the user for its password.
    void unlockKeychain();
    // Whether a find that finds nothing is logged too.
    void setLogsErrors(bool logsErrors) { m_logErrors = logsErrors; }

    std::unique_ptr<EMGenericKeychainItem>
    genericKeychainItemForService(const QString &serviceName, const QString &username,
                                  KeychainStatus *status = nullptr);
    std::unique_ptr<EMInternetKeychainItem>
    internetKeychainItemForServer(const QString &server, const QString &username,
                                  const QString &path, int port, std::uint32_t protocol,
                                  KeychainStatus *status = nullptr);

    std::unique_ptr<EMGenericKeychainItem>
    addGenericKeychainItemForService(const QString &serviceName, const QString &username,
                                     const QString &password);
    std::unique_ptr<EMInternetKeychainItem>
    addInternetKeychainItemForServer(const QString &server, const QString &username,
                                     const QString &password, const QString &path, int port,
                                     std::uint32_t protocol);

private:
    EMKeychainProxy() = default;
    void logFindFailure(const QString &operation, const KeychainResult &result) const;

    bool m_logErrors = false;
};
