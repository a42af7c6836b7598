#include "foundation/keychain/emkeychainproxy.h"

#include "foundation/log.h"
#include "platform/keychain/keychain.h"
#include "platform/keychain/secretservice.h"

namespace {

void logError(const QString &operation, const KeychainResult &result)
{
    tlog::write(QStringLiteral("Error (%1) - %2").arg(operation, keychainStatusText(result)));
}

void report(KeychainStatus *status, KeychainStatus value)
{
    if (status)
        *status = value;
}

} // namespace

EMKeychainProxy &EMKeychainProxy::sharedProxy()
{
    static EMKeychainProxy proxy;
    return proxy;
}

void EMKeychainProxy::lockKeychain()
{
    secretservice::lockDefaultCollection();
}

void EMKeychainProxy::unlockKeychain()
{
    secretservice::unlockDefaultCollection();
}

void EMKeychainProxy::logFindFailure(const QString &operation, const KeychainResult &result) const
{
    if (result.status != KeychainStatus::ItemNotFound || m_logErrors)
        logError(operation, result);
}

std::unique_ptr<EMGenericKeychainItem>
EMKeychainProxy::genericKeychainItemForService(const QString &serviceName, const QString &username,
                                               KeychainStatus *status)
{
    report(status, KeychainStatus::ItemNotFound);
    if (username.isEmpty())
        return nullptr;
    const KeychainItemRef ref = genericItemRef(serviceName, username);
    const keychain::PasswordRead read = keychain::readPassword(ref);
    report(status, read.result.status);
    if (!read.result.ok()) {
        logFindFailure(QStringLiteral("genericKeychainItemForService:withUsername:"), read.result);
        return nullptr;
    }
    return EMGenericKeychainItem::genericKeychainItem(ref, serviceName, username, read.password);
}

std::unique_ptr<EMInternetKeychainItem>
EMKeychainProxy::internetKeychainItemForServer(const QString &server, const QString &username,
                                               const QString &path, int port,
                                               std::uint32_t protocol, KeychainStatus *status)
{
    report(status, KeychainStatus::ItemNotFound);
    if (username.isEmpty() || server.isEmpty())
        return nullptr;
    const KeychainItemRef ref = internetItemRef(server, username, path, port, protocol);
    const keychain::PasswordRead read = keychain::readPassword(ref);
    report(status, read.result.status);
    if (!read.result.ok()) {
        logFindFailure(
            QStringLiteral("internetKeychainItemForServer:withUsername:path:port:protocol:"),
            read.result);
        return nullptr;
    }
    return EMInternetKeychainItem::internetKeychainItem(ref, server, username, read.password, path,
                                                        port, protocol);
}

std::unique_ptr<EMGenericKeychainItem>
EMKeychainProxy::addGenericKeychainItemForService(const QString &serviceName,
                                                  const QString &username, const QString &password)
{
    if (username.isEmpty() || serviceName.isEmpty())
        return nullptr;
    const KeychainItemRef ref = genericItemRef(serviceName, username);
    const KeychainResult added = keychain::addPassword(ref, password);
    if (!added.ok()) {
        logError(QStringLiteral("addGenericKeychainItemForService:withUsername:password:"), added);
        return nullptr;
    }
    return EMGenericKeychainItem::genericKeychainItem(ref, serviceName, username, password);
}

std::unique_ptr<EMInternetKeychainItem>
EMKeychainProxy::addInternetKeychainItemForServer(const QString &server, const QString &username,
                                                  const QString &password, const QString &path,
                                                  int port, std::uint32_t protocol)
{
    if (username.isEmpty() || server.isEmpty() || password.isEmpty())
        return nullptr;
    // A missing path is stored as the empty path, which is how a find without a path searches.
    const KeychainItemRef ref = internetItemRef(server, username, path, port, protocol);
    const KeychainResult added = keychain::addPassword(ref, password);
    if (!added.ok()) {
        logError(QStringLiteral(
                     "addInternetKeychainItemForServer:withUsername:password:path:port:protocol:"),
                 added);
        return nullptr;
    }
    return EMInternetKeychainItem::internetKeychainItem(ref, server, username, password, path, port,
                                                        protocol);
}
